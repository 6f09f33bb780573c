// The editor window's procedure: the window system's messages turned into
// the context's timer, drawing and input calls.
#include "editor/windows/GraphicsWin.h"

#include "editor/windows/WindowsKeys.h"
#include "framework/PluginBase.h"

#include <windowsx.h>

#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

namespace orv::editor {

namespace {

MouseModifiers ModifiersOf(WPARAM wParam)
{
    const WPARAM keys = GET_KEYSTATE_WPARAM(wParam);
    MouseModifiers mods;
    mods.left = (keys & MK_LBUTTON) != 0;
    mods.right = (keys & MK_RBUTTON) != 0;
    mods.shift = (keys & MK_SHIFT) != 0;
    mods.control = (keys & MK_CONTROL) != 0;
    mods.alt = GetKeyState(VK_MENU) < 0;
    return mods;
}

Rect RectOf(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

LRESULT CALLBACK GraphicsWin::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        auto* graphics = static_cast<GraphicsWin*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(graphics));
        if (graphics != nullptr)
            SetTimer(hwnd, kRedrawTimerId, static_cast<UINT>(graphics->TimerPeriodMilliseconds()), nullptr);
        SetFocus(hwnd);
        return 0;
    }
    auto* graphics = reinterpret_cast<GraphicsWin*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (graphics == nullptr || graphics->window != hwnd)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return graphics->HandleMessage(hwnd, message, wParam, lParam);
}

LRESULT GraphicsWin::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);

    // Until a timer tick has passed since the edit box took the focus, a
    // press only cancels the entry and the rest of the input waits.
    if (editBox != nullptr && TextEntry().GetState() == TextEntrySession::State::kFocused) {
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            OnMouseDown(x, y, ModifiersOf(wParam));
            pressEndedTextEntry = true;
            return 0;
        case WM_TIMER:
        case WM_PAINT:
        case WM_NCDESTROY:
            break;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
        }
    }

    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return 0;
    case WM_PAINT: {
        RECT update{};
        if (GetUpdateRect(hwnd, &update, FALSE) && !IsRectEmpty(&update)) {
            // Host threads change control values under the plug-in's lock.
            auto lock = LockPlugin();
            Draw(RectOf(update));
        }
        // Draw shows nothing while there are no controls; the area is done anyway.
        ValidateRect(hwnd, nullptr);
        return 0;
    }
    case WM_CLOSE:
        CloseEditorWindow();
        return 0;
    case WM_KEYDOWN:
        if (forwardingKey)  // the host sent it back to us
            return DefWindowProcA(hwnd, message, wParam, lParam);
        if (!HandleKeyDown(hwnd, wParam))
            ForwardToHost(hwnd, message, wParam, lParam);
        return 0;
    case WM_KEYUP:
        if (forwardingKey)
            return DefWindowProcA(hwnd, message, wParam, lParam);
        ForwardToHost(hwnd, message, wParam, lParam);
        return 0;
    case WM_TIMER:
        if (wParam != kRedrawTimerId)
            break;
        OnTimer();
        return 0;
    case WM_CTLCOLOREDIT:
        if (editBox != nullptr && reinterpret_cast<HWND>(lParam) == editBox) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, editBackground);
            SetTextColor(dc, editForeground);
            SetBkMode(dc, OPAQUE);
            SetDCBrushColor(dc, editBackground);
            return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
        }
        break;
    case WM_MOUSEMOVE: {
        const MouseModifiers mods = ModifiersOf(wParam);
        if (mods.left || mods.right) {
            if (GetCapture() == hwnd)
                OnMouseDrag(x, y, mods);
        } else if (OnMouseOver(x, y, mods)) {
            TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, hwnd, HOVER_DEFAULT};
            TrackMouseEvent(&leave);
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (IsTextEntryOpen()) {
            OnMouseDown(x, y, ModifiersOf(wParam));  // commits the entry
            pressEndedTextEntry = true;
            return 0;
        }
        SetFocus(hwnd);
        SetCapture(hwnd);
        OnMouseDown(x, y, ModifiersOf(wParam));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:  // so a middle click does not keep the mouse captured
        if (GetCapture() == hwnd)
            ReleaseCapture();
        if (pressEndedTextEntry) {
            pressEndedTextEntry = false;
            return 0;
        }
        OnMouseUp(x, y, ModifiersOf(wParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        if (IsTextEntryOpen()) {
            OnMouseDown(x, y, ModifiersOf(wParam));
            pressEndedTextEntry = true;
            return 0;
        }
        if (OnMouseDblClick(x, y, ModifiersOf(wParam)))
            SetCapture(hwnd);
        return 0;
    case WM_MOUSEWHEEL: {
        // The wheel reports the pointer in screen coordinates.
        POINT at{x, y};
        ScreenToClient(hwnd, &at);
        OnMouseWheel(at.x, at.y, ModifiersOf(wParam), GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    }
    case WM_MOUSELEAVE:
        OnMouseOut();
        return 0;
    case WM_DPICHANGED_AFTERPARENT:
        // The host's window moved to a screen of another scale (or the
        // screen's scale changed): the plug-in may choose another size.
        if (framework::PluginBase* owner = Plugin())
            owner->EditorSystemScaleChanged(SystemScale(GetParent(hwnd)));
        return 0;
    case WM_NCDESTROY:
        // Also when the host destroys its window with ours inside.
        ForgetWindow();
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool GraphicsWin::HandleKeyDown(HWND hwnd, WPARAM wParam)
{
    const int key = EditorKeyForVirtualKey(wParam);
    if (key < 0)
        return false;
    POINT pointer{};
    GetCursorPos(&pointer);
    ScreenToClient(hwnd, &pointer);
    return OnKeyDown(pointer.x, pointer.y, key);
}

void GraphicsWin::ForwardToHost(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND topLevel = GetAncestor(hwnd, GA_ROOT);
    if (topLevel == nullptr || topLevel == hwnd)
        return;
    forwardingKey = true;
    SendMessageA(topLevel, message, wParam, lParam);
    forwardingKey = false;
}

}  // namespace orv::editor
