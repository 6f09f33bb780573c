// The editor's window on Windows: a child window of the host's window that
// shows the drawing bitmap, runs the 40 ms redraw timer, turns the window
// system's mouse and key messages into the context's input calls, and
// supplies the platform services (message boxes, popup menus, the in-place
// edit box, file and colour dialogs, the browser, folders, clipboard).
//
// Everything here runs on the thread that opened the window (the host's
// user-interface thread).
#pragma once

#include "editor/Graphics.h"

#include <windows.h>

#include <array>
#include <memory>
#include <string>

namespace orv::editor {

class GraphicsWin : public Graphics {
public:
    static constexpr const char* kWindowClassName = "ORVEditorWindow";
    static constexpr UINT_PTR kRedrawTimerId = 2;
    static constexpr int kTextEntryId = 99;

    // The panel's size: the layout's (Resize), unless given here.
    explicit GraphicsWin(framework::PluginBase* plug, int width = 0, int height = 0);
    ~GraphicsWin() override;

    // --- EditorView -------------------------------------------------------------
    bool CanOpenWindow() const override { return true; }
    // The DPI of parent's monitor (GetDpiForWindow, Windows 10 1607 and
    // later), else the screen's; 96 dpi is 1.
    double SystemScale(void* parent) override;
    // A second open without a close moves the window into the new parent,
    // keeping its position and size. Null when the window cannot be made
    // (no parent, or a parent that is not a window).
    void* OpenEditorWindow(void* parent) override;
    void CloseEditorWindow() override;

    // --- platform services ------------------------------------------------------
    void BlitToWindow(const Rect& rect) override;
    // Also grows the host's windows around the editor by the same amount.
    void Resize(int newWidth, int newHeight) override;
    bool HasWindow() const override { return window != nullptr; }
    const char* DrawingApiName() const override { return "Windows GDI"; }
    MessageAnswer ShowMessage(const char* text, const char* caption, MessageButtons buttons) override;
    std::string HostExecutableFolder() override;
    std::string PluginFolder() override;
    std::string DesktopFolder() override;
    std::string AppDataFolder(bool common) override;
    void ChooseFile(std::string& fileName, FileDialogMode mode, std::string& folder, const char* extensions) override;
    bool PickColor(Colour& colour, const char* prompt) override;
    void* WindowHandle() const override { return window; }
    bool TextFromClipboard(std::string& text) override;
    void HidePointer() override;
    void ShowPointer() override;

protected:
    PopupMenu* RunPopupMenu(PopupMenu& menu, const Rect& rect) override;
    bool LaunchWebAddress(const char* url) override;
    void Repaint(const Rect& dirty, const Rect* spared) override;
    bool CreateTextEntry(Control* control, const TextStyle& style, const Rect& rect, const char* text,
                         framework::Parameter* parameter) override;
    std::string TextEntryText() override;
    void DestroyTextEntry() override;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TextEntryProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleTextEntryMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleKeyDown(HWND hwnd, WPARAM wParam);
    void ForwardToHost(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The window is gone (closed by us, or destroyed with its parent).
    void ForgetWindow();
    // The host's top-level window, which owns our message boxes and dialogs.
    HWND MainWindow();

    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    HWND parentWindow = nullptr;  // as given to OpenEditorWindow
    HWND mainWindow = nullptr;    // cached top-level ancestor of parentWindow
    std::string mainWindowClass;

    // The in-place edit box while a text entry is open.
    HWND editBox = nullptr;
    HFONT editFont = nullptr;
    WNDPROC editBoxProc = nullptr;  // the EDIT class's own procedure
    COLORREF editBackground = RGB(255, 255, 255);
    COLORREF editForeground = RGB(0, 0, 0);
    // A press that ended a text entry; its release reaches no control.
    bool pressEndedTextEntry = false;
    // Set while a key is on its way to the host, in case it sends it back.
    bool forwardingKey = false;

    bool pointerHidden = false;
    POINT savedPointer{};
    std::unique_ptr<std::array<COLORREF, 16>> customColours;  // the colour dialog's, made on first use
};

}  // namespace orv::editor
