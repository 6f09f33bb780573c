#include "editor/windows/GraphicsWin.h"

#include "editor/FileDialogText.h"
#include "editor/windows/EditorWindowClass.h"
#include "editor/windows/NativePopupMenu.h"
#include "editor/windows/WideText.h"
#include "platform/Module.h"
#include "platform/SharedLibrary.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wininet.h>

#include <cctype>
#include <cstring>

namespace orv::editor {

namespace {

constexpr const char* kWindowTitle = "ORV";
constexpr size_t kDialogFileNameLength = 255;  // characters a file dialog starts with
constexpr INT_PTR kShellExecuteSuccess = 32;   // ShellExecuteA results above this are success

// Everything up to and including the last "\" of the module's path.
std::string ModuleFolder(HMODULE module)
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return FolderOfPath(path);
}

std::string ShellFolder(int folderId)
{
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, folderId, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

// Only web pages are opened: the shell would run a program named by any
// other kind of text.
bool IsWebAddress(const char* url)
{
    auto startsWith = [url](const char* prefix) {
        for (size_t i = 0; prefix[i] != '\0'; ++i)
            if (std::tolower(static_cast<unsigned char>(url[i])) != prefix[i])
                return false;
        return true;
    };
    return url != nullptr && (startsWith("http://") || startsWith("https://"));
}

// A window grows by (dw, dh) where it is, without activation or Z-order change.
void GrowWindow(HWND hwnd, int dw, int dh)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A window inside another whose frame follows it: a child, not an MDI child.
bool IsPlainChild(HWND hwnd)
{
    return (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) != 0 &&
           (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) == 0;
}

struct ClassSearch {
    const std::string* className = nullptr;
    HWND found = nullptr;
};

BOOL CALLBACK FindProcessWindowOfClass(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<ClassSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    char name[256] = {};
    if (process == GetCurrentProcessId() && GetClassNameA(hwnd, name, sizeof name) > 0 && *search->className == name) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

UINT_PTR CALLBACK ColourDialogHook(HWND dialog, UINT message, WPARAM /*wParam*/, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const auto* choice = reinterpret_cast<const CHOOSECOLORA*>(lParam);
        if (choice->lCustData != 0)
            SetWindowTextA(dialog, reinterpret_cast<const char*>(choice->lCustData));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

GraphicsWin::GraphicsWin(framework::PluginBase* plug, int width, int height)
    : Graphics(plug, width, height), instance(static_cast<HINSTANCE>(platform::ModuleHandle()))
{}

GraphicsWin::~GraphicsWin()
{
    ShowPointer();
    CloseEditorWindow();
}

// --- the window ---------------------------------------------------------------------

double GraphicsWin::SystemScale(void* parent)
{
    constexpr double kBaseDpi = 96.0;
    // Looked up at run time, so the plug-in still loads on older systems.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const DpiForWindow dpiForWindow = [] {
        static platform::SharedLibrary user32;
        return user32.Open("user32.dll") ? reinterpret_cast<DpiForWindow>(user32.Symbol("GetDpiForWindow")) : nullptr;
    }();
    HWND parentHwnd = static_cast<HWND>(parent);
    UINT dpi = 0;
    if (dpiForWindow != nullptr && parentHwnd != nullptr && IsWindow(parentHwnd))
        dpi = dpiForWindow(parentHwnd);
    if (dpi == 0) {
        if (HDC screen = GetDC(nullptr)) {
            dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
            ReleaseDC(nullptr, screen);
        }
    }
    return dpi > 0 ? dpi / kBaseDpi : 0.0;
}

void* GraphicsWin::OpenEditorWindow(void* parent)
{
    HWND parentHwnd = static_cast<HWND>(parent);
    int x = 0;
    int y = 0;
    int w = Width();
    int h = Height();
    if (window != nullptr) {
        RECT placed{};
        GetWindowRect(window, &placed);
        MapWindowPoints(HWND_DESKTOP, parentHwnd, reinterpret_cast<POINT*>(&placed), 2);
        x = placed.left;
        y = placed.top;
        w = placed.right - placed.left;
        h = placed.bottom - placed.top;
        CloseEditorWindow();
    }
    // A child window needs a parent that is a window.
    if (parentHwnd == nullptr || !IsWindow(parentHwnd))
        return nullptr;
    parentWindow = parentHwnd;
    mainWindow = nullptr;
    if (!AcquireEditorWindowClass(instance, WindowProc))
        return nullptr;
    HWND created = CreateWindowExA(0, kWindowClassName, kWindowTitle, WS_CHILD | WS_VISIBLE, x, y, w, h, parentHwnd,
                                   nullptr, instance, this);
    if (created == nullptr) {
        ReleaseEditorWindowClass(instance);
        return nullptr;
    }
    window = created;
    MarkAllDirty();
    return window;
}

void GraphicsWin::CloseEditorWindow()
{
    if (window != nullptr) {
        HWND closing = window;
        // WM_NCDESTROY forgets the window.
        if (!DestroyWindow(closing) && window == closing) {
            // Only the window's own thread can destroy it: let that thread
            // close it, without us, the next time it reads its messages.
            if (IsWindow(closing)) {
                SetWindowLongPtrA(closing, GWLP_USERDATA, 0);
                PostMessageA(closing, WM_CLOSE, 0, 0);
            }
            ForgetWindow();
        }
    }
    UnregisterUnusedEditorWindowClass(instance);
}

void GraphicsWin::ForgetWindow()
{
    if (window == nullptr)
        return;
    if (IsTextEntryOpen()) {
        DestroyTextEntry();
        TextEntry().Close();
    }
    window = nullptr;
    pressEndedTextEntry = false;
    ReleaseEditorWindowClass(instance);
}

HWND GraphicsWin::MainWindow()
{
    if (mainWindow != nullptr && IsWindow(mainWindow))
        return mainWindow;
    mainWindow = nullptr;
    if (parentWindow != nullptr && IsWindow(parentWindow)) {
        mainWindow = GetAncestor(parentWindow, GA_ROOT);
        char name[256] = {};
        if (mainWindow != nullptr && GetClassNameA(mainWindow, name, sizeof name) > 0)
            mainWindowClass = name;
    } else if (!mainWindowClass.empty()) {
        ClassSearch search{&mainWindowClass, nullptr};
        EnumWindows(FindProcessWindowOfClass, reinterpret_cast<LPARAM>(&search));
        mainWindow = search.found;
    }
    return mainWindow;
}

void GraphicsWin::BlitToWindow(const Rect& rect)
{
    const RasterBitmap* bitmap = DrawBitmap();
    if (window == nullptr || bitmap == nullptr || bitmap->DC() == nullptr)
        return;
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    if (dc != nullptr)
        BitBlt(dc, rect.left, rect.top, rect.Width(), rect.Height(), static_cast<HDC>(bitmap->DC()), rect.left,
               rect.top, SRCCOPY);
    EndPaint(window, &paint);
}

void GraphicsWin::Repaint(const Rect& dirty, const Rect* spared)
{
    if (window == nullptr) {
        Draw(dirty);
        return;
    }
    const RECT area{dirty.left, dirty.top, dirty.right, dirty.bottom};
    InvalidateRect(window, &area, FALSE);
    if (spared != nullptr) {
        const RECT kept{spared->left, spared->top, spared->right, spared->bottom};
        ValidateRect(window, &kept);
    }
    UpdateWindow(window);
}

void GraphicsWin::Resize(int newWidth, int newHeight)
{
    const int dw = newWidth - Width();
    const int dh = newHeight - Height();
    if (dw == 0 && dh == 0)
        return;
    Graphics::Resize(newWidth, newHeight);
    if (window == nullptr)
        return;
    GrowWindow(window, dw, dh);
    // The host's frame around us (its parent and grandparent at most) grows
    // with us, unless it is a window in its own right.
    HWND inner = window;
    for (int level = 0; level < 2 && IsPlainChild(inner); ++level) {
        HWND outer = GetParent(inner);
        if (outer == nullptr)
            break;
        GrowWindow(outer, dw, dh);
        inner = outer;
    }
    InvalidateRect(window, nullptr, FALSE);
}

// --- services -------------------------------------------------------------------------

MessageAnswer GraphicsWin::ShowMessage(const char* text, const char* caption, MessageButtons buttons)
{
    UINT type = MB_OK;
    if (buttons == MessageButtons::kYesNo)
        type = MB_YESNO;
    else if (buttons == MessageButtons::kOkError)
        type = MB_OK | MB_ICONERROR;
    else if (buttons == MessageButtons::kOkInformation)
        type = MB_OK | MB_ICONINFORMATION;
    // The answers are the message box's own result values.
    return static_cast<MessageAnswer>(
        MessageBoxA(MainWindow(), text != nullptr ? text : "", caption != nullptr ? caption : "", type));
}

PopupMenu* GraphicsWin::RunPopupMenu(PopupMenu& menu, const Rect& rect)
{
    if (window == nullptr)
        return nullptr;
    const std::vector<MenuCommand> commands = NumberMenuCommands(menu);
    PopupMenu* chosen = nullptr;
    if (HMENU native = BuildNativeMenu(menu, commands)) {
        POINT at{rect.left, rect.bottom};
        ClientToScreen(window, &at);
        const int commandId = static_cast<int>(
            TrackPopupMenu(native, TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, window, nullptr));
        chosen = ChosenMenu(commands, commandId);
        DestroyMenu(native);
    }
    // The host may have closed the editor while the menu was open.
    if (window != nullptr)
        InvalidateRect(window, nullptr, FALSE);
    return chosen;
}

std::string GraphicsWin::HostExecutableFolder()
{
    return ModuleFolder(nullptr);
}

std::string GraphicsWin::PluginFolder()
{
    return ModuleFolder(instance);
}

std::string GraphicsWin::DesktopFolder()
{
    return ShellFolder(CSIDL_DESKTOPDIRECTORY);
}

std::string GraphicsWin::AppDataFolder(bool common)
{
    return ShellFolder(common ? CSIDL_COMMON_APPDATA : CSIDL_LOCAL_APPDATA);
}

void GraphicsWin::ChooseFile(std::string& fileName, FileDialogMode mode, std::string& folder, const char* extensions)
{
    if (window == nullptr) {
        fileName.clear();
        return;
    }
    char path[kDialogFileNameLength + 1] = {};
    fileName.copy(path, kDialogFileNameLength);
    const std::string initialFolder = folder.empty() ? DesktopFolder() : folder;
    // The pattern is the filter's name and its pattern; the list ends with
    // an empty entry.
    const std::string pattern = FileDialogPattern(extensions);
    std::string filter = pattern;
    filter.push_back('\0');
    filter += pattern;
    filter.push_back('\0');
    filter.push_back('\0');
    const std::string defaultExtension = DefaultFileExtension(extensions);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrInitialDir = initialFolder.c_str();
    dialog.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
    // The dialogs make the folder they show the process's current folder;
    // the host's relative paths must not move with it.
    char hostFolder[MAX_PATH] = {};
    const DWORD hostFolderLength = GetCurrentDirectoryA(MAX_PATH, hostFolder);
    bool chosen = false;
    if (mode == FileDialogMode::kSave) {
        dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
        chosen = GetSaveFileNameA(&dialog) != 0;
    } else {
        dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
        chosen = GetOpenFileNameA(&dialog) != 0;
    }
    if (hostFolderLength > 0 && hostFolderLength < MAX_PATH)
        SetCurrentDirectoryA(hostFolder);
    if (!chosen) {
        fileName.clear();
        return;
    }
    fileName = path;
    folder = FolderOfPath(fileName);
}

bool GraphicsWin::PickColor(Colour& colour, const char* prompt)
{
    if (window == nullptr)
        return false;
    if (customColours == nullptr)
        customColours = std::make_unique<std::array<COLORREF, 16>>();
    CHOOSECOLORA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = window;
    choice.rgbResult = RGB(colour.red, colour.green, colour.blue);
    choice.lpCustColors = customColours->data();
    choice.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR | CC_ENABLEHOOK;
    choice.lpfnHook = ColourDialogHook;
    choice.lCustData = reinterpret_cast<LPARAM>(prompt);
    if (!ChooseColorA(&choice))
        return false;
    colour.red = GetRValue(choice.rgbResult);
    colour.green = GetGValue(choice.rgbResult);
    colour.blue = GetBValue(choice.rgbResult);
    return true;
}

bool GraphicsWin::LaunchWebAddress(const char* url)
{
    DWORD connection = 0;
    if (!IsWebAddress(url) || !InternetGetConnectedState(&connection, 0))
        return false;
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteA(MainWindow(), "open", url, nullptr, nullptr, SW_SHOWNORMAL));
    return result > kShellExecuteSuccess;
}

bool GraphicsWin::TextFromClipboard(std::string& text)
{
    text.clear();
    if (!OpenClipboard(window))
        return false;
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = Utf8FromWide(wide);
            found = true;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return found;
}

void GraphicsWin::HidePointer()
{
    if (pointerHidden)
        return;
    GetCursorPos(&savedPointer);
    ShowCursor(FALSE);
    pointerHidden = true;
}

void GraphicsWin::ShowPointer()
{
    if (!pointerHidden)
        return;
    SetCursorPos(savedPointer.x, savedPointer.y);
    ShowCursor(TRUE);
    pointerHidden = false;
}

}  // namespace orv::editor
