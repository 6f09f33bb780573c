// What an open, untouched editor costs its host: loads the plug-in like a
// host, opens its editor into a window of ours and calls effEditIdle at
// 30 Hz (REAPER's rate) for a while, then reports the process's CPU time
// over that while as a share of one core. Needs an X display (xvfb-run).
//
//   orv_editor_idle_cost [plug-in path] [seconds, default 60]
//   GDK_SCALE=2 orv_editor_idle_cost ...   the editor at 200 %
#include "framework/VstAbi.h"
#include "tools/hostkit/PluginModule.h"

#include <X11/Xlib.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

namespace {

constexpr int kIdleMilliseconds = 33;
constexpr double kDefaultSeconds = 60.0;

intptr_t SilentHost(vst::AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    return opcode == vst::audioMasterVersion ? 2400 : 0;
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : ORV_PLUGIN_PATH;
    const double seconds = argc > 2 ? std::atof(argv[2]) : kDefaultSeconds;
    orv::hostkit::PluginModule module;
    if (!module.Load(path)) {
        std::fprintf(stderr, "%s\n", module.Error().c_str());
        return 1;
    }
    vst::AEffect* effect = module.Instantiate(&SilentHost);
    Display* display = XOpenDisplay(nullptr);
    if (effect == nullptr || display == nullptr) {
        std::fprintf(stderr, "no effect or no X display\n");
        return 1;
    }
    auto dispatch = [effect](int32_t opcode, intptr_t value = 0, void* ptr = nullptr) {
        return effect->dispatcher(effect, opcode, 0, value, ptr, 0.0f);
    };
    dispatch(vst::effOpen);
    const Window parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 608, 352, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
    if (dispatch(vst::effEditOpen, 0, reinterpret_cast<void*>(static_cast<uintptr_t>(parent))) != 1) {
        std::fprintf(stderr, "the editor did not open\n");
        return 1;
    }
    // The editor's size says at which scale it was drawn (GDK_SCALE=2 or a
    // desktop's Xft.dpi of 192 give 200 %); the host makes room for it.
    vst::ERect* rect = nullptr;
    if (dispatch(vst::effEditGetRect, 0, &rect) == 1 && rect != nullptr) {
        const int width = rect->right - rect->left;
        const int height = rect->bottom - rect->top;
        XResizeWindow(display, parent, static_cast<unsigned>(width), static_cast<unsigned>(height));
        std::printf("editor %d x %d\n", width, height);
    }
    // The first second paints the panel; the measurement starts after it.
    using Clock = std::chrono::steady_clock;
    auto idleFor = [&](double span) {
        const auto end = Clock::now() + std::chrono::duration<double>(span);
        auto next = Clock::now();
        while (Clock::now() < end) {
            dispatch(vst::effEditIdle);
            next += std::chrono::milliseconds(kIdleMilliseconds);
            std::this_thread::sleep_until(next);
        }
    };
    idleFor(1.0);
    const double cpuBefore = CpuSeconds();
    const auto wallBefore = Clock::now();
    idleFor(seconds);
    const double cpu = CpuSeconds() - cpuBefore;
    const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
    std::printf("idle editor: %.3f s CPU in %.1f s at 30 Hz = %.3f %% of one core\n", cpu, wall, 100.0 * cpu / wall);
    dispatch(vst::effEditClose);
    dispatch(vst::effClose);
    XCloseDisplay(display);
    return 0;
}
