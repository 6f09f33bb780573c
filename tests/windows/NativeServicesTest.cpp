// The window's own pieces as a user meets them, on a context built in this
// program with stand-in controls: the in-place edit box (typing, Enter,
// Escape, the wheel, a click on the panel, the character filter, the length
// limit), native popup menus chosen with the keyboard while their modal loop
// runs, and message boxes owned by the host's window.
#include "tests/windows/HostWindow.h"
#include "tests/windows/UserInput.h"

#include "editor/windows/GraphicsWin.h"
#include "framework/Parameter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace orv::editor;
using namespace orv::framework;

namespace wintest {
namespace {

constexpr int kPanelWidth = 608, kPanelHeight = 352;  // the test panel
constexpr DWORD kTicks = 150;                         // enough 40 ms timer ticks for the entry to settle
const Rect kEntryArea{20, 20, 220, 40};
const POINT kInsideEntryControl{60, 30};
const POINT kElsewhereOnPanel{400, 300};

// A control that opens a text entry when pressed and keeps what it is given.
class EntryControl : public Control {
public:
    EntryControl(Parameter* parameter) : Control(nullptr, kEntryArea, -1, Blend{}), parameter(parameter) {}
    void OnMouseDown(int, int, const MouseModifiers&) override
    {
        Context()->OpenTextEntry(this, Text(), GetRect(), "Init", parameter);
    }
    void ReceiveEnteredText(const char* text) override { received.push_back(text); }
    void SetValueFromEditor(double v) override { values.push_back(v); }

    Parameter* parameter;
    std::vector<std::string> received;
    std::vector<double> values;
};

struct PanelInHost {
    explicit PanelInHost(Parameter* parameter = nullptr) : graphics(nullptr, kPanelWidth, kPanelHeight)
    {
        auto owned = std::make_unique<EntryControl>(parameter);
        control = owned.get();
        control->SetTextEntryLength(64);
        graphics.AddControl(std::move(owned));
        graphics.CreateDrawingSurfaces();
        editor = static_cast<HWND>(graphics.OpenEditorWindow(host.Handle()));
        PumpMessages(kTicks);
    }
    HWND EditBox() const { return GetDlgItem(editor, GraphicsWin::kTextEntryId); }

    HostWindow host;
    GraphicsWin graphics;
    EntryControl* control = nullptr;
    HWND editor = nullptr;
};

TEST(TextEntry, WhatTheUserDoesDecidesWhetherTheTextIsTaken)
{
    struct Case {
        const char* what;
        const wchar_t* typed;
        std::function<void(PanelInHost&)> finish;
        std::vector<std::string> received;
    };
    const auto press = [](WORD key) { return [key](PanelInHost&) { PressKey(key); }; };
    const Case cases[] = {
        {"Enter commits", L"Night Sky", press(VK_RETURN), {"Night Sky"}},
        {"Escape cancels", L"Night Sky", press(VK_ESCAPE), {}},
        {"the wheel cancels", L"Night Sky", [](PanelInHost& p) { TurnWheel(p.editor, kElsewhereOnPanel, 1); }, {}},
        {"a click on the panel commits", L"Dawn", [](PanelInHost& p) { Click(p.editor, kElsewhereOnPanel); }, {"Dawn"}},
        {"a long name is cut to 31 characters",
         L"An Extremely Long Program Name Typed In",
         press(VK_RETURN),
         {"An Extremely Long Program Name "}},
        {"text beyond ASCII arrives as UTF-8", L"Fl\u00fcgel", press(VK_RETURN), {"Fl\xc3\xbcgel"}},
    };
    for (const Case& c : cases) {
        PanelInHost panel;
        ASSERT_NE(panel.editor, nullptr);
        Click(panel.editor, kInsideEntryControl);
        PumpMessages(kTicks);
        ASSERT_NE(panel.EditBox(), nullptr) << c.what;
        EXPECT_EQ(GetFocus(), panel.EditBox()) << c.what;
        TypeText(c.typed);
        c.finish(panel);
        PumpMessages(kTicks);
        EXPECT_EQ(panel.control->received, c.received) << c.what;
        EXPECT_EQ(panel.EditBox(), nullptr) << c.what << ": the box is gone";
        EXPECT_FALSE(panel.graphics.IsTextEntryOpen()) << c.what;
        EXPECT_EQ(GetFocus(), panel.editor) << c.what << ": keys go to the editor again";
    }
}

TEST(TextEntry, NumbersOnlyLetDigitsSignsAndAPointThrough)
{
    Parameter level;
    level.DefineDouble("Level", 0.0, -10.0, 10.0, 0.1, 1.0);
    PanelInHost panel(&level);
    Click(panel.editor, kInsideEntryControl);
    PumpMessages(kTicks);
    ASSERT_NE(panel.EditBox(), nullptr);
    TypeText(L"abc-2.5x");
    wchar_t shown[32] = {};
    GetWindowTextW(panel.EditBox(), shown, 32);
    EXPECT_STREQ(shown, L"-2.5");
    PressKey(VK_RETURN);
    PumpMessages(kTicks);
    ASSERT_EQ(panel.control->values.size(), 1u);
    EXPECT_DOUBLE_EQ(panel.control->values[0], level.GetNormalised(-2.5));
}

TEST(TextEntry, ClosingTheEditorWithAnOpenEntryDropsIt)
{
    PanelInHost panel;
    Click(panel.editor, kInsideEntryControl);
    PumpMessages(kTicks);
    TypeText(L"Half");
    panel.graphics.CloseEditorWindow();
    PumpMessages(kTicks);
    EXPECT_FALSE(panel.graphics.IsTextEntryOpen());
    EXPECT_TRUE(panel.control->received.empty());
    EXPECT_EQ(CountEditorWindows(), 0);
}

// --- menus -------------------------------------------------------------------------

// Keys sent one at a time from a timer that fires inside the menu's modal
// loop; the menu's texts and marks are read while it is open. A menu still
// open long after the last key is ended, so a wrong key cannot hang the test.
struct MenuDriver {
    static constexpr UINT kPeriod = 60;
    static constexpr size_t kPatienceTicks = 10;
    static inline std::vector<WORD> keys;
    static inline size_t tick = 0;
    static inline std::wstring firstText;
    static inline UINT firstState = 0;
    static inline UINT lastState = 0;

    static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD)
    {
        if (tick == 0) {
            if (HWND menuWindow = FindWindowA("#32768", nullptr)) {
                auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
                wchar_t text[64] = {};
                GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
                firstText = text;
                firstState = GetMenuState(menu, 0, MF_BYPOSITION);
                lastState = GetMenuState(menu, static_cast<UINT>(GetMenuItemCount(menu) - 1), MF_BYPOSITION);
            }
        }
        if (tick < keys.size()) {
            INPUT input[2]{};
            input[0].type = input[1].type = INPUT_KEYBOARD;
            input[0].ki.wVk = input[1].ki.wVk = keys[tick];
            input[1].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(2, input, sizeof(INPUT));
        } else if (tick > keys.size() + kPatienceTicks) {
            EndMenu();
        }
        ++tick;
    }
};

TEST(NativeMenu, KeyboardChoicesFindTheirMenuAndPosition)
{
    PanelInHost panel;
    PopupMenu root(kPrefixOneDigit);
    root.AddItem("Rock & Roll", kItemChecked);
    root.AddItem("Beta");
    auto more = std::make_unique<PopupMenu>();
    more->AddItem("Gamma");
    more->AddItem("Delta");
    PopupMenu* submenu = more.get();
    root.AddSubmenu("More", std::move(more));
    root.AddItem("Disabled", kItemDisabled);

    struct Case {
        std::vector<WORD> keys;
        PopupMenu* chosenMenu;
        int chosenIndex;
    };
    // Down from nothing selected reaches the first item.
    const Case cases[] = {
        {{VK_DOWN, VK_RETURN}, &root, 0},
        {{VK_DOWN, VK_DOWN, VK_RETURN}, &root, 1},
        {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}, submenu, 1},
        {{VK_ESCAPE}, nullptr, PopupMenu::kNoChoice},
    };
    for (const Case& c : cases) {
        root.chosenIndex = submenu->chosenIndex = PopupMenu::kNoChoice;
        MenuDriver::keys = c.keys;
        MenuDriver::tick = 0;
        const UINT_PTR timer = SetTimer(nullptr, 0, MenuDriver::kPeriod, MenuDriver::Fire);
        PopupMenu* chosen = panel.graphics.ShowPopupMenu(root, {10, 10, 50, 30});
        KillTimer(nullptr, timer);
        EXPECT_EQ(chosen, c.chosenMenu) << "after " << c.keys.size() << " keys";
        if (chosen != nullptr) {
            EXPECT_EQ(chosen->chosenIndex, c.chosenIndex);
        }
        PumpMessages(20);
    }
    EXPECT_EQ(MenuDriver::firstText, L"1: Rock && Roll") << "numbered, and the ampersand kept";
    EXPECT_NE(MenuDriver::firstState & MF_CHECKED, 0u);
    EXPECT_NE(MenuDriver::lastState & MF_GRAYED, 0u);
}

// --- message boxes -------------------------------------------------------------------

struct MessageBoxDriver {
    static inline HWND owner = nullptr;
    static inline HICON icon = nullptr;
    static inline int answer = IDOK;

    // The icon of a message box: its static icon control is number 20 on
    // Windows and 0x440 in Wine.
    static HICON IconOf(HWND box)
    {
        for (const int id : {20, 0x440})
            if (HWND control = GetDlgItem(box, id))
                if (auto shown = reinterpret_cast<HICON>(SendMessageA(control, STM_GETICON, 0, 0)))
                    return shown;
        return nullptr;
    }

    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        HWND box = FindWindowA("#32770", "ORV test");
        owner = box != nullptr ? GetWindow(box, GW_OWNER) : nullptr;
        icon = box != nullptr ? IconOf(box) : nullptr;
        if (box != nullptr)
            PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
    }
};

TEST(MessageBoxes, IsOwnedByTheHostWindowAndReturnsTheAnswerWithItsIcon)
{
    PanelInHost panel;
    HICON error = LoadIcon(nullptr, IDI_ERROR);
    HICON information = LoadIcon(nullptr, IDI_INFORMATION);
    struct Case {
        MessageButtons buttons;
        int pressed;
        MessageAnswer expected;
        HICON icon;
    } cases[] = {{MessageButtons::kYesNo, IDYES, kAnswerYes, nullptr},
                 {MessageButtons::kYesNo, IDNO, kAnswerNo, nullptr},
                 {MessageButtons::kOk, IDOK, kAnswerOk, nullptr},
                 {MessageButtons::kOkError, IDOK, kAnswerOk, error},
                 {MessageButtons::kOkInformation, IDOK, kAnswerOk, information}};
    for (const Case& c : cases) {
        MessageBoxDriver::owner = nullptr;
        MessageBoxDriver::icon = nullptr;
        MessageBoxDriver::answer = c.pressed;
        SetTimer(nullptr, 0, 150, MessageBoxDriver::Fire);
        EXPECT_EQ(panel.graphics.ShowMessage("Replace the bank?", "ORV test", c.buttons), c.expected);
        EXPECT_EQ(MessageBoxDriver::owner, panel.host.Handle());
        EXPECT_EQ(MessageBoxDriver::icon, c.icon) << static_cast<int>(c.buttons);
    }
}

}  // namespace
}  // namespace wintest
