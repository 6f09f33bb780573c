#include "tests/windows/HostWindow.h"

#include "tests/host/HostedPlugin.h"

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

namespace wintest {

namespace {

constexpr const char* kHostClassName = "ORVTestHostWindow";
constexpr int kHostWidth = 700;
constexpr int kHostHeight = 460;

void RegisterHostClass(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        windowClass.lpszClassName = kHostClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
}

BOOL CALLBACK CountIfEditor(HWND hwnd, LPARAM lParam)
{
    if (ClassNameOf(hwnd) == kEditorClassName)
        ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

BOOL CALLBACK CountEditorsWithin(HWND hwnd, LPARAM lParam)
{
    CountIfEditor(hwnd, lParam);
    EnumChildWindows(hwnd, CountIfEditor, lParam);
    return TRUE;
}

}  // namespace

HostWindow::HostWindow(int left, int top)
{
    RegisterHostClass(Procedure);
    hwnd = CreateWindowExA(0, kHostClassName, "ORV test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, left, top, kHostWidth,
                           kHostHeight, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    SetForegroundWindow(hwnd);
    PumpMessages(20);
}

HostWindow::~HostWindow()
{
    Destroy();
}

void HostWindow::Destroy()
{
    if (hwnd != nullptr && IsWindow(hwnd))
        DestroyWindow(hwnd);
    hwnd = nullptr;
}

LRESULT CALLBACK HostWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* host = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (host != nullptr && (message == WM_KEYDOWN || message == WM_KEYUP)) {
        host->keys.push_back({message, wParam});
        return 0;
    }
    if (message == WM_NCDESTROY && host != nullptr) {
        host->hwnd = nullptr;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void PumpMessages(DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount64() < end);
}

HWND FindEditorWindow(HWND parent)
{
    return FindWindowExA(parent, nullptr, kEditorClassName, nullptr);
}

int CountEditorWindows()
{
    int count = 0;
    EnumWindows(CountEditorsWithin, reinterpret_cast<LPARAM>(&count));
    return count;
}

bool EditorClassRegistered()
{
    HMODULE plugin = GetModuleHandleA(hosttest::PluginPath().c_str());
    WNDCLASSA found{};
    return plugin != nullptr && GetClassInfoA(plugin, kEditorClassName, &found) != 0;
}

std::string ClassNameOf(HWND hwnd)
{
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

}  // namespace wintest
