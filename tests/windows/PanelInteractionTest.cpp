// ORV's panel in a host window, played the way a user plays it: faders,
// the variation pad, the morph mode switch, the program buttons, the
// program name box and the program menu, with the host watching what the
// plug-in tells it.
#include "tests/windows/EditorFixture.h"
#include "tests/windows/UserInput.h"

#include <algorithm>
#include <string>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

namespace wintest {
namespace {

constexpr int kVariationX = 1;
constexpr int kVariationY = 2;
constexpr int kVivid = 3;
constexpr int kMorphMode = 10;
constexpr int kMorphModes = 4;
constexpr DWORD kTicks = 150;  // several ticks of the 40 ms redraw timer

const POINT kVividTrackLow{314, 262};
const POINT kVividTrackHigh{314, 195};
const POINT kPadCentre{146, 203};  // ball 1 at Variation X = Y = 0
const POINT kPadTopRight{262, 82};
const POINT kMorphModeSwitch{570, 304};
const POINT kPreviousProgram{90, 30};
const POINT kNextProgram{130, 25};
const POINT kProgramName{200, 30};
const POINT kProgramNumber{110, 30};

class PanelInHostWindow : public EditorWindowTest {
protected:
    void SetUp() override
    {
        EditorWindowTest::SetUp();
        ASSERT_EQ(first.Open(), 1);
        PumpMessages(kTicks);
        editor = first.Editor();
        ASSERT_NE(editor, nullptr);
    }
    float Get(int index) { return first.plugin.effect->getParameter(first.plugin.effect, index); }
    void Set(int index, float normalised)
    {
        first.plugin.effect->setParameter(first.plugin.effect, index, normalised);
        first.plugin.Dispatch(vst::effEditIdle);  // places the pad's balls, as a host's idle calls do
        PumpMessages(kTicks);
    }
    intptr_t Program() { return first.plugin.Dispatch(vst::effGetProgram); }
    std::string ProgramName()
    {
        char name[64] = {};
        first.plugin.Dispatch(vst::effGetProgramName, 0, 0, name);
        return name;
    }
    HWND EditBox() const { return GetDlgItem(editor, 99); }
    // The host calls about parameter index, in order, as (opcode) entries.
    std::vector<int32_t> EditCallsFor(int index)
    {
        std::vector<int32_t> opcodes;
        for (const hosttest::HostCall& call : first.plugin.host.Calls())
            if (call.index == index &&
                (call.opcode == vst::audioMasterBeginEdit || call.opcode == vst::audioMasterAutomate ||
                 call.opcode == vst::audioMasterEndEdit))
                opcodes.push_back(call.opcode);
        return opcodes;
    }

    HWND editor = nullptr;
};

TEST_F(PanelInHostWindow, DraggingVividAutomatesItBetweenBeginAndEndEdit)
{
    Set(kVivid, 0.0f);
    first.plugin.host.ClearCalls();
    Drag(editor, kVividTrackLow, kVividTrackHigh);
    PumpMessages(kTicks);
    EXPECT_GT(Get(kVivid), 0.5f);
    const std::vector<int32_t> calls = EditCallsFor(kVivid);
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front(), vst::audioMasterBeginEdit);
    EXPECT_EQ(calls.back(), vst::audioMasterEndEdit);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), vst::audioMasterBeginEdit), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), vst::audioMasterEndEdit), 1);
    EXPECT_EQ(GetCapture(), nullptr);

    // The wheel over the fader moves it too; away from every control nothing moves.
    const float dragged = Get(kVivid);
    TurnWheel(editor, kVividTrackHigh, -1);
    EXPECT_LT(Get(kVivid), dragged);
    const float wheeled = Get(kVivid);
    TurnWheel(editor, {295, 120}, 1);
    EXPECT_EQ(Get(kVivid), wheeled);
}

TEST_F(PanelInHostWindow, DraggingTheBallMovesVariationXAndY)
{
    Set(kVariationX, 0.5f);
    Set(kVariationY, 0.5f);
    Drag(editor, kPadCentre, kPadTopRight);
    PumpMessages(kTicks);
    EXPECT_GT(Get(kVariationX), 0.75f);
    EXPECT_GT(Get(kVariationY), 0.75f);
}

TEST_F(PanelInHostWindow, MorphModeSwitchCyclesThroughItsFourModes)
{
    Set(kMorphMode, 0.0f);
    std::vector<float> seen;
    for (int click = 0; click < kMorphModes; ++click) {
        Click(editor, kMorphModeSwitch);
        seen.push_back(Get(kMorphMode));
    }
    EXPECT_EQ(seen, (std::vector<float>{1.0f / 3, 2.0f / 3, 1.0f, 0.0f}));
}

TEST_F(PanelInHostWindow, ProgramButtonsStepThroughThePrograms)
{
    first.plugin.Dispatch(vst::effSetProgram, 0, 5);
    Click(editor, kNextProgram);
    EXPECT_EQ(Program(), 6);
    Click(editor, kPreviousProgram);
    Click(editor, kPreviousProgram);
    EXPECT_EQ(Program(), 4);
}

TEST_F(PanelInHostWindow, RenamingInTheNameBoxRenamesTheProgramAndEscapeKeepsTheName)
{
    struct Case {
        const wchar_t* typed;
        WORD key;
        std::string expected;  // "" keeps the old name
    } const cases[] = {
        {L"Glass Harp", VK_RETURN, "Glass Harp"},
        {L"Not This", VK_ESCAPE, ""},
    };
    for (const Case& c : cases) {
        const std::string before = ProgramName();
        Click(editor, kProgramName);
        PumpMessages(kTicks);
        ASSERT_NE(EditBox(), nullptr);
        TypeText(c.typed);
        PressKey(c.key);
        PumpMessages(kTicks);
        EXPECT_EQ(EditBox(), nullptr);
        EXPECT_EQ(ProgramName(), c.expected.empty() ? before : c.expected);
    }
}

TEST_F(PanelInHostWindow, ClosingWithTheNameBoxOpenKeepsTheNameAndLeavesNoWindow)
{
    const std::string before = ProgramName();
    Click(editor, kProgramName);
    PumpMessages(kTicks);
    ASSERT_NE(EditBox(), nullptr);
    TypeText(L"Half Typed");
    EXPECT_EQ(first.Close(), 1);
    PumpMessages(kTicks);
    EXPECT_EQ(ProgramName(), before);
    EXPECT_EQ(CountEditorWindows(), 0);
    EXPECT_FALSE(EditorClassRegistered());
}

// Clicks a path of items through a popup menu and its submenus, one level
// per tick of a timer that fires inside the menu's modal loop; a menu
// without the item is closed.
struct MenuPathClicker {
    static inline std::vector<int> path;
    static inline size_t level = 0;
    static inline std::vector<HMENU> opened;  // the menus clicked in so far

    static BOOL CALLBACK FindNewMenu(HWND hwnd, LPARAM found)
    {
        if (ClassNameOf(hwnd) != "#32768" || !IsWindowVisible(hwnd))
            return TRUE;
        auto menu = reinterpret_cast<HMENU>(SendMessageA(hwnd, MN_GETHMENU, 0, 0));
        if (std::find(opened.begin(), opened.end(), menu) != opened.end())
            return TRUE;
        *reinterpret_cast<HMENU*>(found) = menu;
        return FALSE;
    }

    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD)
    {
        HMENU menu = nullptr;
        EnumWindows(FindNewMenu, reinterpret_cast<LPARAM>(&menu));
        if (menu == nullptr)
            return;  // not open yet: the next tick looks again
        RECT r{};
        if (level >= path.size() || !GetMenuItemRect(nullptr, menu, static_cast<UINT>(path[level]), &r)) {
            KillTimer(nullptr, id);
            EndMenu();
            return;
        }
        opened.push_back(menu);
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        INPUT input[3]{};
        for (INPUT& one : input)
            one.type = INPUT_MOUSE;
        input[0].mi.dx = MulDiv((r.left + r.right) / 2, 65535, width - 1);
        input[0].mi.dy = MulDiv((r.top + r.bottom) / 2, 65535, height - 1);
        input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(3, input, sizeof(INPUT));
        if (++level == path.size())
            KillTimer(nullptr, id);
    }
};

TEST_F(PanelInHostWindow, ChoosingFromTheProgramMenuSwitchesProgramAndTellsTheHost)
{
    first.plugin.Dispatch(vst::effSetProgram, 0, 3);
    first.plugin.host.ClearCalls();
    constexpr int kChosen = 20;
    constexpr int kProgramsPerGroup = 16;  // the menu holds a submenu per group
    MenuPathClicker::path = {kChosen / kProgramsPerGroup, kChosen % kProgramsPerGroup};
    MenuPathClicker::level = 0;
    MenuPathClicker::opened.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, MenuPathClicker::Fire);
    Click(editor, kProgramNumber);
    KillTimer(nullptr, timer);
    PumpMessages(kTicks);
    EXPECT_EQ(MenuPathClicker::level, 2u) << "both clicks made";
    EXPECT_EQ(Program(), kChosen);
    EXPECT_GE(first.plugin.host.CountOf(vst::audioMasterUpdateDisplay), 1u);
}

}  // namespace
}  // namespace wintest
