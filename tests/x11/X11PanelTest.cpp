// The X11 window driven by real X input, around a small panel of framework
// controls: a fader, a menu button, a rename box, a question, and a control
// that counts double clicks and wheel notches. The host (this thread) calls
// idle at ~30 Hz while the user (a second thread on a connection of its
// own) moves, clicks and types, so menus and dialogs that wait inside idle
// are answered like a person would.
#include <gtest/gtest.h>

#include "editor/BitmapControl.h"
#include "editor/FaderControl.h"
#include "editor/raster/RasterMemBitmap.h"
#include "editor/x11/GraphicsX11.h"
#include "editor/x11/X11PopupMenu.h"
#include "tests/framework/RecordingPlugin.h"
#include "tests/host/ScriptedHost.h"
#include "tests/x11/X11TestHost.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <thread>

using namespace orv::editor;
using namespace orv::framework;

namespace {

using Clock = std::chrono::steady_clock;
using x11test::X11TestHost;

constexpr int kPanelWidth = 608, kPanelHeight = 352;
constexpr int kVivid = 3;
constexpr Rect kMenuButton{10, 10, 110, 30};
constexpr Rect kRenameBox{10, 50, 200, 70};
constexpr Rect kQuestionButton{10, 90, 110, 110};
constexpr Rect kCounter{400, 10, 500, 60};
constexpr int kFaderX = 301, kFaderY = 181, kFaderTravel = 86;

using x11test::Pause;
constexpr int kApart = 600;  // presses further apart than a double click
using x11test::Popups;

// A control that runs a callback on a left press.
class Button : public Control {
public:
    Button(PluginBase* plug, const Rect& rect, std::function<void(Button&)> pressed)
        : Control(plug, rect, -1, Blend{}), pressed(std::move(pressed))
    {}
    void OnMouseDown(int, int, const MouseModifiers& mods) override
    {
        if (mods.left)
            pressed(*this);
    }
    void ReceiveEnteredText(const char* text) override { entered.push_back(text); }
    bool Draw(Graphics&) override { return true; }
    void OnMouseDblClick(int, int, const MouseModifiers&) override { ++doubleClicks; }
    void OnMouseWheel(int, int, const MouseModifiers&, int notches) override { wheel += notches; }

    std::function<void(Button&)> pressed;
    std::vector<std::string> entered;
    int doubleClicks = 0;
    int wheel = 0;
};

class X11Panel : public ::testing::Test {
protected:
    void SetUp() override
    {
        background = std::make_unique<RasterMemBitmap>(kPanelWidth, kPanelHeight);
        for (int y = 0; y < background->Height(); ++y)
            for (int x = 0; x < background->Width(); ++x)
                background->Row(y)[x] = 0xff000000u | static_cast<uint32_t>(((x * 7) << 8) | ((y * 3) & 0xff));
        handle = std::make_unique<RasterMemBitmap>(26, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 26; ++x)
                handle->Row(y)[x] = 0xffe0a020;
        auto back = std::make_unique<BitmapControl>(&plugin, Rect{0, 0, kPanelWidth, kPanelHeight}, -1,
                                                    Blend{kBlendClobber, 1.0f});
        back->SetStrip(BitmapStrip{background.get(), kPanelWidth, kPanelHeight, 1, false});
        graphics.AddControl(std::move(back));
        graphics.AddControl(std::make_unique<FaderControl>(&plugin, kFaderX, kFaderY, kFaderTravel, kVivid,
                                                           BitmapStrip{handle.get(), 26, 16, 1, false},
                                                           kFaderVertical));
        menuButton = Add(kMenuButton, [this](Button&) {
            PopupMenu menu;
            menu.AddItem("First");
            menu.AddItem("Grey", kItemDisabled);
            auto more = std::make_unique<PopupMenu>();
            more->AddItem("Shallow");
            more->AddItem("Deep", kItemChecked);
            menu.AddSubmenu("More", std::move(more));
            menu.AddSeparator();
            menu.AddItem("Last");
            PopupMenu* chosen = graphics.ShowPopupMenu(menu, kMenuButton);
            choices.push_back(chosen != nullptr ? chosen->Item(chosen->chosenIndex).text : "(none)");
        });
        renameBox = Add(kRenameBox, [this](Button& self) {
            graphics.OpenTextEntry(&self, self.Text(), kRenameBox, "Init", nullptr);
        });
        renameBox->SetTextEntryLength(253);
        Add(kQuestionButton,
            [this](Button&) { answers.push_back(graphics.ShowMessage("Replace the bank?", "ORV", questionButtons)); });
        counter = Add(kCounter, [](Button&) {});
        plugin.AttachEditor(&graphics);
        parent = host.CreateParent();
        ASSERT_NE(graphics.OpenEditorWindow(reinterpret_cast<void*>(parent)), nullptr);
        editor = reinterpret_cast<Window>(graphics.WindowHandle());
        IdleFor(150);
        scripted.ClearCalls();
    }

    void TearDown() override
    {
        graphics.CloseEditorWindow();
        plugin.DetachEditor();
    }

    Button* Add(const Rect& rect, std::function<void(Button&)> pressed)
    {
        return static_cast<Button*>(graphics.AddControl(std::make_unique<Button>(&plugin, rect, std::move(pressed))));
    }

    void IdleFor(int milliseconds)
    {
        const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
        while (Clock::now() < end) {
            plugin.Dispatch(vst::effEditIdle);
            Pause(X11TestHost::kIdleMilliseconds);
        }
    }

    void AsUser(const std::function<void(X11TestHost&)>& script)
    {
        x11test::ActAsUser([this] { plugin.Dispatch(vst::effEditIdle); }, script);
    }

    std::vector<std::string> HostEdits() const
    {
        std::vector<std::string> edits;
        for (const hosttest::HostCall& call : scripted.Calls()) {
            if (call.opcode == vst::audioMasterBeginEdit)
                edits.push_back("begin " + std::to_string(call.index));
            else if (call.opcode == vst::audioMasterEndEdit)
                edits.push_back("end " + std::to_string(call.index));
            else if (call.opcode == vst::audioMasterAutomate && (edits.empty() || edits.back() != "automate"))
                edits.push_back("automate");
        }
        return edits;
    }

    X11TestHost host;
    hosttest::ScriptedHost scripted;
    hosttest::RecordingPlugin plugin{scripted};
    GraphicsX11 graphics{&plugin, kPanelWidth, kPanelHeight};
    std::unique_ptr<RasterMemBitmap> background;
    std::unique_ptr<RasterMemBitmap> handle;
    Button* menuButton = nullptr;
    Button* renameBox = nullptr;
    Button* counter = nullptr;
    Window parent = 0;
    Window editor = 0;
    std::vector<std::string> choices;
    MessageButtons questionButtons = MessageButtons::kYesNo;
    std::vector<MessageAnswer> answers;
};

TEST_F(X11Panel, TheWindowShowsTheDrawingBitmapPixelForPixel)
{
    const std::vector<uint32_t> shot = host.Screenshot(editor, kPanelWidth, kPanelHeight);
    ASSERT_EQ(shot.size(), static_cast<size_t>(kPanelWidth * kPanelHeight));
    size_t differing = 0;
    for (int y = 0; y < kPanelHeight; ++y)
        for (int x = 0; x < kPanelWidth; ++x)
            differing +=
                shot[static_cast<size_t>(y * kPanelWidth + x)] != (graphics.DrawBitmap()->Row(y)[x] & 0xffffff);
    EXPECT_EQ(differing, 0u);
}

TEST_F(X11Panel, AFaderDragOutsideTheWindowStillMovesItAndTheHostSeesOneEdit)
{
    const float before = plugin.Effect()->getParameter(plugin.Effect(), kVivid);
    AsUser([this](X11TestHost& user) {
        user.MoveTo(editor, kFaderX + 13, kFaderY + 60);
        user.Press();
        Pause(80);
        user.MoveTo(editor, kFaderX + 13, kFaderY + 30);
        Pause(80);
        user.MoveTo(editor, kFaderX + 13, -40);  // above the window: our grab keeps the drag
        Pause(80);
        user.Release();
    });
    EXPECT_GT(plugin.Effect()->getParameter(plugin.Effect(), kVivid), before);
    EXPECT_EQ(HostEdits(), (std::vector<std::string>{"begin 3", "automate", "end 3"}));
}

TEST_F(X11Panel, DoubleClicksAndWheelNotchesAreCountedLikeWindowsReportsThem)
{
    AsUser([this](X11TestHost& user) {
        user.Click(editor, 450, 30);
        user.Click(editor, 451, 31);  // soon and close: a double click
        Pause(600);
        user.Click(editor, 450, 30);  // too late for one
        user.Click(editor, 450, 30, 4);
        user.Click(editor, 450, 30, 4);
        user.Click(editor, 450, 30, 5);
        user.Click(editor, 450, 30, 6);  // horizontal wheel: ignored
        user.Click(editor, 450, 30, 7);
        Pause(kApart);
        user.Click(editor, 450, 30, 2);  // the middle button too lets go of its grab
        Pause(200);
        EXPECT_EQ(XGrabPointer(user.display, DefaultRootWindow(user.display), False, ButtonPressMask, GrabModeAsync,
                               GrabModeAsync, None, None, CurrentTime),
                  GrabSuccess);
        XUngrabPointer(user.display, CurrentTime);
    });
    EXPECT_EQ(counter->doubleClicks, 1);
    EXPECT_EQ(counter->wheel, 1);
}

TEST_F(X11Panel, MenusChooseFromSubmenusAndCloseOnEscapeOrAnOutsideClick)
{
    AsUser([this](X11TestHost& user) {
        user.Click(editor, 50, 20);
        Pause(300);
        const std::vector<Window> open = Popups(user);
        ASSERT_EQ(open.size(), 1u);
        // "More" is the third item: hover it, then go into its submenu.
        user.MoveTo(open[0], 20, X11PopupMenu::kBorder + 2 * X11PopupMenu::kItemHeight + 10);
        Pause(300);
        const std::vector<Window> both = Popups(user);
        ASSERT_EQ(both.size(), 2u);
        user.MoveTo(both[1], 20, X11PopupMenu::kBorder + X11PopupMenu::kItemHeight + 10);  // "Deep"
        Pause(150);
        user.Press();
        user.Release();
        Pause(300);

        user.Click(editor, 50, 20);
        Pause(300);
        XTestFakeKeyEvent(user.display, XKeysymToKeycode(user.display, XK_Escape), True, CurrentTime);
        XTestFakeKeyEvent(user.display, XKeysymToKeycode(user.display, XK_Escape), False, CurrentTime);
        user.Sync();
        Pause(300);

        user.Click(editor, 50, 20);
        Pause(300);
        user.Click(editor, 560, 330);  // on the panel, outside the menu
        Pause(300);
        EXPECT_TRUE(Popups(user).empty());
    });
    EXPECT_EQ(choices, (std::vector<std::string>{"Deep", "(none)", "(none)"}));
}

TEST_F(X11Panel, RenamingTypesIntoOurFieldEnterCommitsEscapeCancels)
{
    // Keys the way REAPER sends them (synthetic events), then as effEditKeyDown.
    AsUser([this](X11TestHost& user) {
        user.Click(editor, 100, 60);
        Pause(200);
        for (const char* key : {"N", "e", "w", "BackSpace", "w", "space", "1", "Return"}) {
            user.SendKey(editor, key, true);
            user.SendKey(editor, key, false);
        }
    });
    EXPECT_EQ(renameBox->entered, (std::vector<std::string>{"New 1"}));  // the selected "Init" was replaced

    AsUser([this](X11TestHost& user) {
        user.Click(editor, 100, 60);
        Pause(200);
        user.SendKey(editor, "x", true);
        user.SendKey(editor, "Escape", true);
    });
    IdleFor(100);
    EXPECT_EQ(renameBox->entered.size(), 1u);

    AsUser([this](X11TestHost& user) { user.Click(editor, 100, 60); });
    // A host that sends the key both ways (a synthetic event, then
    // effEditKeyDown) types it once.
    host.SendKey(editor, "Z", true);
    plugin.Dispatch(vst::effEditIdle);
    EXPECT_EQ(plugin.Dispatch(vst::effEditKeyDown, 'Z', 0), 1);
    EXPECT_EQ(plugin.Dispatch(vst::effEditKeyDown, 'Z', 0), 1);  // a third arrival is a repeat
    EXPECT_EQ(plugin.Dispatch(vst::effEditKeyDown, 0, vst::VKEY_BACK), 1);
    EXPECT_EQ(plugin.Dispatch(vst::effEditKeyDown, 0, vst::VKEY_RETURN), 1);
    IdleFor(150);
    EXPECT_EQ(renameBox->entered.back(), "Z");
    EXPECT_EQ(plugin.Dispatch(vst::effEditKeyDown, 'q', 0), 0) << "closed: the host keeps its keys";
}

// A dialog program on PATH that answers as told and says how it was asked.
class FakeDialogProgram {
public:
    FakeDialogProgram(const char* name, int exitCode)
    {
        char pattern[] = "/tmp/orv-dialog.XXXXXX";
        folder = mkdtemp(pattern);
        std::ofstream(folder + "/" + name)
            << "#!/bin/sh\necho \"$@\" > " << folder << "/asked\nexit " << exitCode << "\n";
        chmod((folder + "/" + name).c_str(), 0755);
        const char* path = std::getenv("PATH");
        savedPath = path != nullptr ? path : "";
        setenv("PATH", (folder + ":" + savedPath).c_str(), 1);
    }
    ~FakeDialogProgram()
    {
        setenv("PATH", savedPath.c_str(), 1);
        std::system(("rm -rf " + folder).c_str());
    }
    std::string Asked() const
    {
        std::ifstream in(folder + "/asked");
        std::string line;
        std::getline(in, line);
        return line;
    }

    std::string folder;
    std::string savedPath;
};

TEST_F(X11Panel, QuestionsAreAskedThroughZenityTransientForTheHostsWindow)
{
    for (int exitCode : {0, 1}) {
        FakeDialogProgram zenity("zenity", exitCode);
        AsUser([this](X11TestHost& user) {
            Pause(600);  // not a double click with the press before
            user.Click(editor, 50, 100);
        });
        Window root = 0, top = 0;
        Window* children = nullptr;
        unsigned count = 0;
        XQueryTree(host.display, parent, &root, &top, &children, &count);
        XFree(children);
        EXPECT_NE(zenity.Asked().find("--question"), std::string::npos);
        EXPECT_NE(zenity.Asked().find("--attach=" + std::to_string(top)), std::string::npos) << zenity.Asked();
    }
    EXPECT_EQ(answers, (std::vector<MessageAnswer>{kAnswerYes, kAnswerNo}));
}

TEST_F(X11Panel, WithoutADialogProgramOurOwnDialogAsksWithTheBoxsIcon)
{
    const char* path = std::getenv("PATH");
    const std::string savedPath = path != nullptr ? path : "";
    setenv("PATH", "/nonexistent", 1);
    // The icon's disc is at the dialog's top left: blue for questions and
    // information, red for errors. This pixel is inside it, left of the sign.
    constexpr int kInIconX = 20, kInIconY = 30;
    constexpr uint32_t kRed = 0xc62828, kBlue = 0x1e63c8;
    const struct {
        MessageButtons buttons;
        const char* key;
        uint32_t iconColour;
    } cases[] = {{MessageButtons::kYesNo, "Return", kBlue},
                 {MessageButtons::kYesNo, "Escape", kBlue},
                 {MessageButtons::kOkError, "Return", kRed},
                 {MessageButtons::kOkInformation, "Escape", kBlue}};
    for (const auto& c : cases) {
        questionButtons = c.buttons;
        AsUser([&](X11TestHost& user) {
            Pause(600);
            user.Click(editor, 50, 100);
            Pause(400);
            // Ours: the one transient window on the screen.
            for (Window w : user.Children(DefaultRootWindow(user.display))) {
                Window owner = 0;
                if (XGetTransientForHint(user.display, w, &owner) && user.Viewable(w)) {
                    const std::vector<uint32_t> icon = user.Screenshot(w, kInIconX + 1, kInIconY + 1);
                    EXPECT_EQ(icon.back(), c.iconColour);
                    user.SendKey(w, c.key, true);
                    return;
                }
            }
            ADD_FAILURE() << "no dialog";
        });
    }
    setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(answers, (std::vector<MessageAnswer>{kAnswerYes, kAnswerNo, kAnswerOk, kAnswerOk}));
}

}  // namespace
