// Keeps X errors on our own connections away from the host. Xlib has one
// error handler per process; GTK hosts install one that aborts. While a trap
// lives, our handler is installed: errors on a display of ours are counted
// and dropped, any other display's go to the handler that was there before.
#pragma once

#include <X11/Xlib.h>

namespace orv::editor {

class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    // Flushes our requests so their errors arrive while we listen, then puts
    // the previous handler back.
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits for the server, then says whether any request failed since the
    // trap was set.
    bool SyncFailed();

    // A display of ours: registered while it is open.
    static void Register(Display* display);
    static void Unregister(Display* display);

private:
    Display* display;
    XErrorHandler previous;
    unsigned long errorsBefore;
};

}  // namespace orv::editor
