#include "editor/x11/X11RasterWindow.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace orv::editor {

X11RasterWindow::X11RasterWindow(Display* display, int x, int y, int width, int height, bool overrideRedirect,
                                 Window owner, const char* title)
    : display(display), bitmap(width, height)
{
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = overrideRedirect ? True : False;
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.colormap = DefaultColormap(display, screen);
    attributes.save_under = True;
    attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
                            StructureNotifyMask | FocusChangeMask;
    window = XCreateWindow(
        display, RootWindow(display, screen), x, y, static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
        DefaultDepth(display, screen), InputOutput, DefaultVisual(display, screen),
        CWOverrideRedirect | CWBackPixmap | CWBorderPixel | CWColormap | CWSaveUnder | CWEventMask, &attributes);
    if (!overrideRedirect) {
        if (owner != 0)
            XSetTransientForHint(display, window, owner);
        XStoreName(display, window, title != nullptr ? title : "");
        XSizeHints* hints = XAllocSizeHints();
        hints->flags = PPosition | PSize | PMinSize | PMaxSize;
        hints->x = x;
        hints->y = y;
        hints->width = hints->min_width = hints->max_width = width;
        hints->height = hints->min_height = hints->max_height = height;
        XSetWMNormalHints(display, window, hints);
        XFree(hints);
        Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(display, window, &deleteWindow, 1);
    }
    gc = XCreateGC(display, window, 0, nullptr);
    XMapRaised(display, window);
}

X11RasterWindow::~X11RasterWindow()
{
    XFreeGC(display, gc);
    XDestroyWindow(display, window);
    XFlush(display);
}

void X11RasterWindow::Show()
{
    if (bitmap.Empty())
        return;
    const int screen = DefaultScreen(display);
    XImage* image =
        XCreateImage(display, DefaultVisual(display, screen), static_cast<unsigned>(DefaultDepth(display, screen)),
                     ZPixmap, 0, reinterpret_cast<char*>(bitmap.Pixels()), static_cast<unsigned>(bitmap.Width()),
                     static_cast<unsigned>(bitmap.Height()), 32, bitmap.RowSpan() * 4);
    if (image == nullptr)
        return;
    XPutImage(display, window, gc, image, 0, 0, 0, 0, static_cast<unsigned>(bitmap.Width()),
              static_cast<unsigned>(bitmap.Height()));
    image->data = nullptr;  // the bitmap's
    XDestroyImage(image);
    XFlush(display);
}

}  // namespace orv::editor
