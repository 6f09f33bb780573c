// A window of ours beside the panel (a menu, a dialog) with a bitmap of its
// own that the raster layer draws into and Show() puts on screen.
#pragma once

#include "editor/raster/RasterMemBitmap.h"

#include <X11/Xlib.h>

namespace orv::editor {

class X11RasterWindow {
public:
    // overrideRedirect: a menu the window manager must not touch; otherwise
    // a dialog transient for `owner`.
    X11RasterWindow(Display* display, int x, int y, int width, int height, bool overrideRedirect, Window owner,
                    const char* title);
    ~X11RasterWindow();
    X11RasterWindow(const X11RasterWindow&) = delete;
    X11RasterWindow& operator=(const X11RasterWindow&) = delete;

    RasterMemBitmap& Bitmap() { return bitmap; }
    Window Handle() const { return window; }
    void Show();

private:
    Display* display;
    Window window = 0;
    GC gc = nullptr;
    RasterMemBitmap bitmap;
};

}  // namespace orv::editor
