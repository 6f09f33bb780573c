// The editor's window on Linux: a child X11 window inside the host's window,
// on an X connection of our own.
//
// Hosts give us no thread and no event loop: everything happens in the
// host's editor idle call, on the thread that opened the window. There we
// drain our connection's events without blocking and run the redraw timer.
// Menus and dialogs are modal, as the controls expect an answer when the
// call returns: they run a nested loop on our own connection only, so the
// panel keeps painting while the host's own windows wait.
#pragma once

#include "editor/Graphics.h"
#include "editor/TextFieldEditing.h"
#include "editor/x11/X11DialogTool.h"

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace orv::editor {

class GraphicsX11 : public Graphics {
public:
    // The panel's size: the layout's (Resize), unless given here.
    explicit GraphicsX11(framework::PluginBase* plug, int width = 0, int height = 0);
    ~GraphicsX11() override;

    bool CanOpenWindow() const override { return true; }
    // The desktop's scale: the X resource Xft.dpi (96 = 1), else GDK_SCALE.
    double SystemScale(void* parent) override;
    void* OpenEditorWindow(void* parent) override;
    // An open window takes the new size, with size hints to match.
    void Resize(int newWidth, int newHeight) override;
    void CloseEditorWindow() override;
    void IdleEditorWindow() override;
    bool HostKeyDown(const framework::HostKey& key) override;
    bool HostKeyUp(const framework::HostKey& key) override;

    bool HasWindow() const override { return window != 0; }
    void* WindowHandle() const override { return reinterpret_cast<void*>(window); }
    const char* DrawingApiName() const override { return "X11"; }
    void BlitToWindow(const Rect& rect) override;
    MessageAnswer ShowMessage(const char* text, const char* caption, MessageButtons buttons) override;
    void ChooseFile(std::string& fileName, FileDialogMode mode, std::string& folder, const char* extensions) override;

    // The milliseconds within which a second press counts as a double click,
    // and the pixels the pointer may move between the presses.
    static constexpr long kDoubleClickMilliseconds = 500;
    static constexpr int kDoubleClickSlop = 4;
    // A key that arrives through a second channel this soon is the same key.
    static constexpr long kDuplicateKeyMilliseconds = 150;

    // --- for the modal helpers (menus, dialogs) ----------------------------------
    Display* XDisplay() const { return display; }
    Window XWindow() const { return window; }
    // The host's top-level window that holds ours (0 when unknown).
    Window HostTopLevel();
    // Runs our connection's events through handle (which gets every event
    // not for the panel) until done() says so or the panel goes away; the
    // panel keeps painting. extraFd, when not -1, also wakes the wait.
    void RunModalLoop(const std::function<void(XEvent&)>& handle, const std::function<bool()>& done, int extraFd = -1);
    // The panel as the owner of a dialog program's window.
    DialogOwner AsDialogOwner();

protected:
    PopupMenu* RunPopupMenu(PopupMenu& menu, const Rect& rect) override;
    bool LaunchWebAddress(const char* url) override;
    void Repaint(const Rect& dirty, const Rect* spared) override;
    bool CreateTextEntry(Control* control, const TextStyle& style, const Rect& rect, const char* text,
                         framework::Parameter* parameter) override;
    std::string TextEntryText() override;
    void DestroyTextEntry() override;

private:
    enum class KeySource { kWindow, kHost };

    bool CreateImage();
    void SetSizeHints();
    void DestroyImage();
    void PutArea(int x, int y, int w, int h);
    void DrainEvents();
    void HandleEvent(XEvent& event);
    void HandleButtonPress(const XButtonEvent& event);
    void HandleButtonRelease(const XButtonEvent& event);
    void HandleMotion(XMotionEvent& event);
    bool HandleKey(KeySym keySym, const std::string& typed, unsigned state, bool down, KeySource source);
    bool IsDuplicateKey(KeySym keySym, bool down, KeySource source);
    bool EditField(KeySym keySym, const std::string& typed, unsigned state);
    void DrawField();
    void RunTimerIfDue();
    void ForgetWindow();

    Display* display = nullptr;
    Window window = 0;
    Window parent = 0;
    Window topLevel = 0;
    GC gc = nullptr;
    XImage* image = nullptr;
    XShmSegmentInfo shm{};
    bool usingShm = false;
    bool painted = false;  // the first idle paints everything once
    bool inIdle = false;   // a host calling idle back from inside idle
    std::chrono::steady_clock::time_point nextTick{};
    // Xlib is ours on the opening thread only; an area drawn on another
    // thread (a headless render while the window is open) is shown from
    // the next idle instead.
    std::thread::id windowThread;
    std::mutex pendingMutex;
    Rect pendingArea;

    // The press that may become a double click.
    Time lastPressTime = 0;
    unsigned lastPressButton = 0;
    int lastPressX = 0;
    int lastPressY = 0;
    bool lastWasDoubleClick = false;
    bool grabbed = false;

    struct RecentKey {
        KeySym keySym = NoSymbol;
        bool down = false;
        KeySource source = KeySource::kWindow;
        std::chrono::steady_clock::time_point when{};
    } recentKey;

    // The rename field, drawn by us into the panel's bitmap.
    struct Field {
        Rect rect;
        TextStyle style;
        TextFieldEditing editing;
        Window focusBefore = 0;
        int revertBefore = RevertToParent;
    };
    std::optional<Field> field;
};

}  // namespace orv::editor
