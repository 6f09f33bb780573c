// The editor window as a host meets it: opened in a window of the host's,
// closed and opened again, two at once, hosts that call in the wrong order
// or hand over the wrong window, and keys the editor passes on to the host.
#include "tests/windows/EditorFixture.h"
#include "tests/windows/UserInput.h"

#include <functional>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

namespace wintest {
namespace {

constexpr int kPanelWidth = 608;
constexpr int kPanelHeight = 352;
constexpr DWORD kSomeTicks = 150;  // several ticks of the 40 ms redraw timer

TEST_F(EditorWindowTest, OpensAsAVisibleChildOfTheHostWindowAtPanelSize)
{
    vst::ERect* rect = nullptr;
    ASSERT_EQ(first.plugin.Dispatch(vst::effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->right - rect->left, kPanelWidth);
    EXPECT_EQ(rect->bottom - rect->top, kPanelHeight);
    EXPECT_NE(first.plugin.effect->flags & vst::effFlagsHasEditor, 0);

    ASSERT_EQ(first.Open(), 1);
    PumpMessages(kSomeTicks);
    HWND editor = first.Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ClassNameOf(editor), kEditorClassName);
    EXPECT_EQ(GetParent(editor), first.host.Handle());
    const LONG style = GetWindowLongA(editor, GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
    RECT client{};
    GetClientRect(editor, &client);
    EXPECT_EQ(client.right, kPanelWidth);
    EXPECT_EQ(client.bottom, kPanelHeight);
    RECT placed{};
    GetWindowRect(editor, &placed);
    MapWindowPoints(HWND_DESKTOP, first.host.Handle(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, 0);
    EXPECT_EQ(GetFocus(), editor) << "the editor takes the keyboard when it opens";
}

TEST_F(EditorWindowTest, CloseAndReopenLeaveNoWindowOrClassBehind)
{
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(first.Open(), 1) << "round " << round;
        PumpMessages(kSomeTicks);
        EXPECT_EQ(CountEditorWindows(), 1);
        EXPECT_TRUE(EditorClassRegistered());
        EXPECT_EQ(first.Close(), 1);
        PumpMessages(20);
        EXPECT_EQ(CountEditorWindows(), 0);
        EXPECT_FALSE(EditorClassRegistered()) << "round " << round;
    }
}

TEST_F(EditorWindowTest, TwoInstancesShareTheWindowClassUntilBothClose)
{
    for (bool firstClosesFirst : {true, false}) {
        EditorInHost second;
        ASSERT_LOADED(second.plugin);
        ASSERT_EQ(first.Open(), 1);
        ASSERT_EQ(second.Open(), 1);
        PumpMessages(kSomeTicks);
        EXPECT_EQ(CountEditorWindows(), 2);

        EditorInHost& closing = firstClosesFirst ? first : second;
        EditorInHost& staying = firstClosesFirst ? second : first;
        closing.Close();
        PumpMessages(kSomeTicks);  // the other editor's timer goes on
        EXPECT_EQ(CountEditorWindows(), 1);
        EXPECT_NE(staying.Editor(), nullptr);
        EXPECT_TRUE(EditorClassRegistered());

        staying.Close();
        PumpMessages(20);
        EXPECT_EQ(CountEditorWindows(), 0);
        EXPECT_FALSE(EditorClassRegistered()) << "first closes first: " << firstClosesFirst;
    }
}

// Hosts that get the order or the window wrong: nothing crashes, and when the
// editor is closed again no window and no class registration is left.
TEST_F(EditorWindowTest, WrongCallsFromTheHostLeaveNothingBehind)
{
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    struct Case {
        const char* what;
        std::function<void(EditorInHost&)> act;
        int windowsWhileOpen;
    };
    const Case cases[] = {
        {"a null parent", [](EditorInHost& e) { EXPECT_EQ(e.Open(nullptr), 0); }, 0},
        {"a parent that is no window", [gone](EditorInHost& e) { EXPECT_EQ(e.Open(gone), 0); }, 0},
        {"open twice without close",
         [](EditorInHost& e) {
             EXPECT_EQ(e.Open(), 1);
             EXPECT_EQ(e.Open(), 1);
         },
         1},
        {"close without open", [](EditorInHost& e) { e.Close(); }, 0},
        {"idle before open", [](EditorInHost& e) { EXPECT_EQ(e.plugin.Dispatch(vst::effEditIdle), 0); }, 0},
    };
    for (const Case& c : cases) {
        c.act(first);
        PumpMessages(kSomeTicks);
        EXPECT_EQ(CountEditorWindows(), c.windowsWhileOpen) << c.what;
        first.Close();
        PumpMessages(20);
        EXPECT_EQ(CountEditorWindows(), 0) << c.what;
        EXPECT_FALSE(EditorClassRegistered()) << c.what;
    }
    // And the editor still opens properly afterwards.
    EXPECT_EQ(first.Open(), 1);
    EXPECT_NE(first.Editor(), nullptr);
}

TEST_F(EditorWindowTest, OpenTwiceKeepsThePlaceTheHostGaveTheWindow)
{
    ASSERT_EQ(first.Open(), 1);
    SetWindowPos(first.Editor(), nullptr, 12, 34, kPanelWidth, kPanelHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(first.Open(), 1);
    RECT placed{};
    GetWindowRect(first.Editor(), &placed);
    MapWindowPoints(HWND_DESKTOP, first.host.Handle(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 12);
    EXPECT_EQ(placed.top, 34);
    EXPECT_EQ(placed.right - placed.left, kPanelWidth);
    EXPECT_EQ(CountEditorWindows(), 1);
}

TEST_F(EditorWindowTest, HostWindowDestroyedBeforeEditorCloseIsSurvived)
{
    ASSERT_EQ(first.Open(), 1);
    PumpMessages(kSomeTicks);
    first.host.Destroy();  // the editor window goes with it
    PumpMessages(kSomeTicks);
    EXPECT_EQ(CountEditorWindows(), 0);
    EXPECT_EQ(first.Close(), 1);
    EXPECT_FALSE(EditorClassRegistered());

    HostWindow another;
    EXPECT_EQ(first.Open(another.Handle()), 1);
    PumpMessages(kSomeTicks);
    EXPECT_NE(FindEditorWindow(another.Handle()), nullptr);
    EXPECT_EQ(first.Close(), 1);
}

// No control of this editor takes keys: every key, and every key release,
// reaches the host's window, where hosts have their shortcuts.
TEST_F(EditorWindowTest, KeysReachTheHostWindow)
{
    ASSERT_EQ(first.Open(), 1);
    PumpMessages(kSomeTicks);
    ASSERT_EQ(GetFocus(), first.Editor());
    MoveMouse(first.Editor(), {300, 200});
    const WORD keys[] = {VK_SPACE, VK_LEFT, '7', 'Q', VK_F5, VK_NUMPAD1, VK_RETURN};
    for (WORD key : keys) {
        first.host.keys.clear();
        PressKey(key);
        ASSERT_EQ(first.host.keys.size(), 2u) << "key " << key;
        EXPECT_EQ(first.host.keys[0].message, static_cast<UINT>(WM_KEYDOWN));
        EXPECT_EQ(first.host.keys[0].key, key);
        EXPECT_EQ(first.host.keys[1].message, static_cast<UINT>(WM_KEYUP));
        EXPECT_EQ(first.host.keys[1].key, key);
    }
}

TEST_F(EditorWindowTest, MouseAndWheelAnywhereOnThePanelAreSafe)
{
    ASSERT_EQ(first.Open(), 1);
    PumpMessages(kSomeTicks);
    HWND editor = first.Editor();
    const POINT corners[] = {{0, 0}, {kPanelWidth - 1, kPanelHeight - 1}, {kPanelWidth / 2, kPanelHeight / 2}};
    for (POINT at : corners) {
        Click(editor, at);
        TurnWheel(editor, at, 1);
        TurnWheel(editor, at, -2);
        Drag(editor, at, {at.x + 40, at.y - 40});
    }
    PumpMessages(kSomeTicks);
    EXPECT_EQ(GetCapture(), nullptr) << "the mouse is released after a drag";
    EXPECT_EQ(first.Close(), 1);
}

}  // namespace
}  // namespace wintest
