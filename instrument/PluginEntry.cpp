// The library's entry points: the host asks for a new plug-in record here.
#include "instrument/ORV.h"

#include <mutex>
#include <new>

#if defined(_WIN32)
#define ORV_EXPORT
#else
#define ORV_EXPORT __attribute__((visibility("default")))
#endif

namespace orv::instrument {

namespace {

std::mutex& EntryLock()
{
    static std::mutex lock;  // created on first use, thread-safely
    return lock;
}

}  // namespace

extern "C" ORV_EXPORT framework::vst::AEffect* VSTPluginMain(framework::vst::HostCallback hostCallback)
{
    std::lock_guard<std::mutex> guard(EntryLock());
    ORV* plugin = nullptr;
    try {
        plugin = new ORV(hostCallback);
    } catch (...) {
        return nullptr;
    }
    plugin->FillEmptyPrograms(plugin->ProgramCount());
    framework::vst::AEffect* effect = plugin->Effect();
    effect->numPrograms = std::max(effect->numPrograms, 1);
    return effect;
}

#if !defined(_WIN32)
// Older hosts look for "main"; C++ does not let us define a function of that
// name, so the symbol is given it directly. Windows exports it by .def file.
extern "C" ORV_EXPORT framework::vst::AEffect* OrvLegacyMain(framework::vst::HostCallback hostCallback) __asm__("main");
extern "C" framework::vst::AEffect* OrvLegacyMain(framework::vst::HostCallback hostCallback)
{
    return VSTPluginMain(hostCallback);
}
#endif

}  // namespace orv::instrument
