#include "tests/x11/X11TestHost.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <dirent.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace x11test {

namespace {

int hostErrors = 0;

int CountHostError(Display*, XErrorEvent*)
{
    ++hostErrors;
    return 0;
}

}  // namespace

X11TestHost::X11TestHost()
{
    display = XOpenDisplay(nullptr);
    if (display == nullptr)
        throw std::runtime_error("no X display (run under scripts/with-xvfb.sh)");
    XSetErrorHandler(CountHostError);
}

X11TestHost::~X11TestHost()
{
    XCloseDisplay(display);
}

int X11TestHost::HostErrors()
{
    return hostErrors;
}

Window X11TestHost::CreateParent(int width, int height, int x, int y)
{
    const Window root = DefaultRootWindow(display);
    const Window top = XCreateSimpleWindow(display, root, x, y, static_cast<unsigned>(width),
                                           static_cast<unsigned>(height), 0, 0, 0x202020);
    const Window holder =
        XCreateSimpleWindow(display, top, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), 0, 0, 0);
    XMapWindow(display, holder);
    XMapWindow(display, top);
    XSync(display, False);
    return holder;
}

std::vector<Window> X11TestHost::Children(Window window) const
{
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<Window> result;
    if (XQueryTree(display, window, &root, &parent, &children, &count) && children != nullptr) {
        result.assign(children, children + count);
        XFree(children);
    }
    return result;
}

bool X11TestHost::Viewable(Window window) const
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

void X11TestHost::MoveTo(Window window, int x, int y)
{
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
    XSync(display, False);
}

void X11TestHost::Press(int button)
{
    XTestFakeButtonEvent(display, static_cast<unsigned>(button), True, CurrentTime);
    XSync(display, False);
}

void X11TestHost::Release(int button)
{
    XTestFakeButtonEvent(display, static_cast<unsigned>(button), False, CurrentTime);
    XSync(display, False);
}

void X11TestHost::Click(Window window, int x, int y, int button)
{
    MoveTo(window, x, y);
    Press(button);
    Release(button);
}

void X11TestHost::SendKey(Window window, const char* keySymName, bool press)
{
    XKeyEvent key{};
    key.type = press ? KeyPress : KeyRelease;
    key.display = display;
    key.window = window;
    key.root = DefaultRootWindow(display);
    key.time = CurrentTime;
    key.same_screen = True;
    const KeySym keySym = XStringToKeysym(keySymName);
    key.keycode = XKeysymToKeycode(display, keySym);
    if (keySym >= XK_A && keySym <= XK_Z)
        key.state = ShiftMask;  // a capital: the keycode is the letter's key
    XSendEvent(display, window, True, press ? KeyPressMask : KeyReleaseMask, reinterpret_cast<XEvent*>(&key));
    XSync(display, False);
}

std::vector<uint32_t> X11TestHost::Screenshot(Window window, int width, int height) const
{
    std::vector<uint32_t> pixels;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (image == nullptr)
        return pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xffffff);
    XDestroyImage(image);
    return pixels;
}

int OpenDescriptorCount()
{
    int count = 0;
    if (DIR* folder = opendir("/proc/self/fd")) {
        while (readdir(folder) != nullptr)
            ++count;
        closedir(folder);
    }
    return count;
}

void Pause(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void ActAsUser(const std::function<void()>& idle, const std::function<void(X11TestHost&)>& script)
{
    constexpr int kAfterwardsMilliseconds = 200;
    std::atomic<bool> done{false};
    std::thread user([&] {
        X11TestHost person;
        script(person);
        // A menu a failed script left open would keep idle waiting forever.
        for (int tries = 0; tries < 3 && !Popups(person).empty(); ++tries) {
            XTestFakeKeyEvent(person.display, XKeysymToKeycode(person.display, XK_Escape), True, CurrentTime);
            XTestFakeKeyEvent(person.display, XKeysymToKeycode(person.display, XK_Escape), False, CurrentTime);
            person.Sync();
            Pause(100);
        }
        done = true;
    });
    while (!done) {
        idle();
        Pause(X11TestHost::kIdleMilliseconds);
    }
    user.join();
    for (int waited = 0; waited < kAfterwardsMilliseconds; waited += X11TestHost::kIdleMilliseconds) {
        idle();
        Pause(X11TestHost::kIdleMilliseconds);
    }
}

std::vector<Window> Popups(X11TestHost& x)
{
    std::vector<Window> popups;
    for (Window w : x.Children(DefaultRootWindow(x.display))) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(x.display, w, &a) && a.override_redirect && a.map_state == IsViewable)
            popups.push_back(w);
    }
    return popups;
}

}  // namespace x11test
