#include "X11ErrorTrap.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

std::mutex registryMutex;
std::vector<Display*> ourDisplays;
unsigned long errorCount = 0;
// The host's handler that our handler stands in for; nested traps (a modal
// loop inside a trap) keep the outermost one.
XErrorHandler hostHandler = nullptr;
int depth = 0;

int OnXError(Display* display, XErrorEvent* error)
{
    {
        std::lock_guard<std::mutex> lock(registryMutex);
        if (std::find(ourDisplays.begin(), ourDisplays.end(), display) != ourDisplays.end()) {
            ++errorCount;
            return 0;
        }
    }
    return hostHandler != nullptr ? hostHandler(display, error) : 0;
}

}  // namespace

void X11ErrorTrap::Register(Display* display)
{
    std::lock_guard<std::mutex> lock(registryMutex);
    ourDisplays.push_back(display);
}

void X11ErrorTrap::Unregister(Display* display)
{
    std::lock_guard<std::mutex> lock(registryMutex);
    ourDisplays.erase(std::remove(ourDisplays.begin(), ourDisplays.end(), display), ourDisplays.end());
}

X11ErrorTrap::X11ErrorTrap(Display* display) : display(display), previous(nullptr), errorsBefore(errorCount)
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
    if (display != nullptr)
        XSync(display, False);
    return errorCount != errorsBefore;
}
