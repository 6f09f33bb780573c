// The in-place text entry: an EDIT control over the control being edited,
// subclassed so that its keys, focus and characters reach the entry's
// session (TextEntrySession) and its character filter.
#include "editor/windows/GraphicsWin.h"

#include "editor/windows/WideText.h"

namespace orv::editor {

namespace {

constexpr wchar_t kCarriageReturn = L'\r';
constexpr wchar_t kEscape = 0x1b;
constexpr UINT kNotifyCommit = 1;  // the edit box's WM_COMMAND code that commits

COLORREF ColourRef(uint32_t argb)
{
    return RGB((argb >> 16) & 0xff, (argb >> 8) & 0xff, argb & 0xff);
}

DWORD AlignmentStyle(int alignment)
{
    switch (alignment) {
    case kTextAlignCentre:
        return ES_CENTER;
    case kTextAlignFar:
        return ES_RIGHT;
    default:
        return ES_LEFT;
    }
}

// At most `length` bytes of UTF-8, never ending inside a character.
std::string CutUtf8(std::string text, size_t length)
{
    if (text.size() <= length)
        return text;
    size_t end = length;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xc0) == 0x80)
        --end;
    text.resize(end);
    return text;
}

}  // namespace

bool GraphicsWin::CreateTextEntry(Control* control, const TextStyle& style, const Rect& rect, const char* text,
                                  framework::Parameter* /*parameter*/)
{
    if (window == nullptr || editBox != nullptr || control == nullptr)
        return false;
    const std::wstring shown = WideFromUtf8(text != nullptr ? text : "");
    HWND box = CreateWindowExW(0, L"EDIT", shown.c_str(),
                               WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | AlignmentStyle(style.alignment), rect.left,
                               rect.top, rect.Width() + 1, rect.Height() + 1, window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextEntryId)), instance, nullptr);
    if (box == nullptr)
        return false;
    editFont = CreateFontA(style.height, 0, 0, 0, style.style == kTextBold ? FW_BOLD : FW_DONTCARE,
                           style.style == kTextItalic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, style.face);
    editBackground = ColourRef(style.entryBackground);
    editForeground = ColourRef(style.entryForeground);
    SendMessageW(box, EM_LIMITTEXT, static_cast<WPARAM>(control->TextEntryLength()), 0);
    if (editFont != nullptr)
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(editFont), FALSE);
    SendMessageW(box, EM_SETSEL, 0, -1);
    SetFocus(box);
    // Subclassed after taking the focus: only a later return of the focus
    // (the host window activated again) counts as the box being focused.
    editBox = box;
    SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editBoxProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GraphicsWin::TextEntryProc)));
    return true;
}

std::string GraphicsWin::TextEntryText()
{
    if (editBox == nullptr)
        return {};
    wchar_t typed[kEnteredTextLength + 1] = {};
    GetWindowTextW(editBox, typed, static_cast<int>(kEnteredTextLength + 1));
    return CutUtf8(Utf8FromWide(typed), kEnteredTextLength);
}

void GraphicsWin::DestroyTextEntry()
{
    if (editBox != nullptr) {
        const bool hadFocus = GetFocus() == editBox;
        if (IsWindow(editBox)) {
            // Back to its own procedure first: its last messages are not ours.
            SetWindowLongPtrW(editBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editBoxProc));
            DestroyWindow(editBox);
        }
        editBox = nullptr;
        editBoxProc = nullptr;
        // Keys go on reaching the editor (and through it the host).
        if (hadFocus && window != nullptr)
            SetFocus(window);
    }
    if (editFont != nullptr) {
        DeleteObject(editFont);
        editFont = nullptr;
    }
}

LRESULT CALLBACK GraphicsWin::TextEntryProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* graphics = reinterpret_cast<GraphicsWin*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (graphics == nullptr || graphics->editBox != hwnd || graphics->editBoxProc == nullptr)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    return graphics->HandleTextEntryMessage(hwnd, message, wParam, lParam);
}

LRESULT GraphicsWin::HandleTextEntryMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    TextEntrySession& entry = TextEntry();
    const framework::Parameter* parameter = entry.EditedParameter();
    switch (message) {
    case WM_SETFOCUS:
        entry.FocusGained();
        break;
    case WM_KILLFOCUS:
        entry.FocusLost();
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            entry.EnterPressed();
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            entry.EscapePressed();
            return 0;
        }
        break;
    case WM_CHAR:
        // Enter and Escape did their work as keys; the box would only beep.
        if (wParam == kCarriageReturn || wParam == kEscape)
            return 0;
        if (parameter != nullptr && !TextEntryAccepts(parameter, static_cast<unsigned>(wParam)))
            return 0;
        break;
    case WM_GETDLGCODE:
        if (parameter == nullptr) {
            LRESULT code = CallWindowProcW(editBoxProc, hwnd, message, wParam, lParam);
            const auto* asked = reinterpret_cast<const MSG*>(lParam);
            if (asked != nullptr && asked->message == WM_KEYDOWN && asked->wParam == VK_RETURN)
                code |= DLGC_WANTALLKEYS;
            return code;
        }
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == kNotifyCommit)
            entry.EnterPressed();
        break;
    default:
        break;
    }
    return CallWindowProcW(editBoxProc, hwnd, message, wParam, lParam);
}

}  // namespace orv::editor
