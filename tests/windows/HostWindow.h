// A host's side of the editor window: a top-level window of our own that the
// editor opens in, the keys that reach it, and ways of finding and counting
// the editor's windows the way a user's desktop holds them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace wintest {

struct KeyMessage {
    UINT message = 0;  // WM_KEYDOWN or WM_KEYUP
    WPARAM key = 0;
};

class HostWindow {
public:
    static constexpr int kLeft = 40;
    static constexpr int kTop = 30;

    // Shown, in front, with its client area larger than the panel.
    explicit HostWindow(int left = kLeft, int top = kTop);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND Handle() const { return hwnd; }
    void Destroy();

    std::vector<KeyMessage> keys;  // what reached this window

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd = nullptr;
};

// Runs this thread's message loop for a while, as a host does between calls.
void PumpMessages(DWORD milliseconds);

inline constexpr const char* kEditorClassName = "ORVEditorWindow";

// The editor's window directly inside parent, or null.
HWND FindEditorWindow(HWND parent);
// Editor windows anywhere on this thread's desktop (top-level or inside any window).
int CountEditorWindows();
// Whether the plug-in library has its window class registered.
bool EditorClassRegistered();
std::string ClassNameOf(HWND hwnd);

}  // namespace wintest
