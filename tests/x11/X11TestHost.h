// What a Linux host does around a plug-in's editor, done the way REAPER
// does it: a top-level window of the host's with a plain child window as
// the editor's parent, effEditIdle at ~30 Hz on the thread that opened it,
// keys sent to the editor as synthetic KeyPress events. The host's own
// Display has an X error handler that fails the test, like a GTK host's
// that aborts.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>
#include <vector>

namespace x11test {

// The host's side of the X server.
class X11TestHost {
public:
    static constexpr int kIdleMilliseconds = 33;

    X11TestHost();
    ~X11TestHost();
    X11TestHost(const X11TestHost&) = delete;
    X11TestHost& operator=(const X11TestHost&) = delete;

    Display* display = nullptr;

    // A top-level window with a plain child to hold an editor.
    Window CreateParent(int width = 640, int height = 400, int x = 0, int y = 0);
    std::vector<Window> Children(Window window) const;
    // The direct children that are mapped and of the given size.
    bool Viewable(Window window) const;
    // X errors the host's own connection saw.
    static int HostErrors();

    // Real input through XTest, at a position of window.
    void MoveTo(Window window, int x, int y);
    void Press(int button = 1);
    void Release(int button = 1);
    void Click(Window window, int x, int y, int button = 1);
    // A key sent to window as REAPER does: a synthetic KeyPress/KeyRelease.
    void SendKey(Window window, const char* keySymName, bool press);
    // The pixels of a window, 0xRRGGBB.
    std::vector<uint32_t> Screenshot(Window window, int width, int height) const;
    void Sync() const { XSync(display, False); }
};

// File descriptors this process has open.
int OpenDescriptorCount();

void Pause(int milliseconds);

// The user acts (script, on a connection of their own, on a second thread)
// while the host keeps calling idle, so a menu or dialog that waits inside
// idle is answered the way a person would answer it. Idles a little longer
// afterwards, for the last input to arrive.
void ActAsUser(const std::function<void()>& idle, const std::function<void(X11TestHost&)>& script);

// The override-redirect windows on the screen (menus), bottom to top.
std::vector<Window> Popups(X11TestHost& x);

}  // namespace x11test
