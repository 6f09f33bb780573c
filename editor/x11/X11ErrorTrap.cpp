#include "editor/x11/X11ErrorTrap.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace orv::editor {

namespace {

// Our open displays and the errors each has seen. Editors of several
// instances may run on several host threads.
struct OurDisplay {
    Display* display;
    unsigned long errors;
};
std::mutex registryMutex;
std::vector<OurDisplay> ourDisplays;
// The host's handler that our handler stands in for; nested traps (a modal
// loop inside a trap) keep the outermost one.
XErrorHandler hostHandler = nullptr;
int depth = 0;

OurDisplay* Find(Display* display)
{
    auto found = std::find_if(ourDisplays.begin(), ourDisplays.end(),
                              [display](const OurDisplay& ours) { return ours.display == display; });
    return found != ourDisplays.end() ? &*found : nullptr;
}

unsigned long ErrorsOf(Display* display)
{
    std::lock_guard<std::mutex> lock(registryMutex);
    const OurDisplay* ours = Find(display);
    return ours != nullptr ? ours->errors : 0;
}

int OnXError(Display* display, XErrorEvent* error)
{
    {
        std::lock_guard<std::mutex> lock(registryMutex);
        if (OurDisplay* ours = Find(display)) {
            ++ours->errors;
            return 0;
        }
    }
    return hostHandler != nullptr ? hostHandler(display, error) : 0;
}

}  // namespace

void X11ErrorTrap::Register(Display* display)
{
    std::lock_guard<std::mutex> lock(registryMutex);
    ourDisplays.push_back({display, 0});
}

void X11ErrorTrap::Unregister(Display* display)
{
    std::lock_guard<std::mutex> lock(registryMutex);
    ourDisplays.erase(std::remove_if(ourDisplays.begin(), ourDisplays.end(),
                                     [display](const OurDisplay& ours) { return ours.display == display; }),
                      ourDisplays.end());
}

X11ErrorTrap::X11ErrorTrap(Display* display) : display(display), previous(nullptr), errorsBefore(ErrorsOf(display))
{
    previous = XSetErrorHandler(OnXError);
    if (depth++ == 0)
        hostHandler = previous;
}

X11ErrorTrap::~X11ErrorTrap()
{
    if (display != nullptr)
        XFlush(display);
    --depth;
    XSetErrorHandler(previous == OnXError ? (depth == 0 ? hostHandler : OnXError) : previous);
}

bool X11ErrorTrap::SyncFailed()
{
    if (display == nullptr)
        return false;
    XSync(display, False);
    return ErrorsOf(display) != errorsBefore;
}

}  // namespace orv::editor
