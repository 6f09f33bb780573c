// ORV's own panel in the Linux window, loaded from orv.so and driven with
// real X input as a user would: the faders, the pad, the mode switch, the
// program buttons, the program chooser, renaming, and a confirmation
// answered through the dialog program; and the window showing exactly the
// headless render of the panel.
#include <gtest/gtest.h>

#include "tests/host/HostedPlugin.h"
#include "tests/x11/X11TestHost.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

namespace {

using hosttest::HostedPlugin;
using x11test::Pause;
using x11test::Popups;
using x11test::X11TestHost;

constexpr int kPanelWidth = 608;
constexpr int kPanelHeight = 352;
constexpr int32_t kSnapshotRequest = vst::FourCC('O', 'R', 'V', 's');
constexpr int kVivid = 3, kVariationX = 1, kVariationY = 2, kMorphMode = 10;
constexpr int kPadLeft = 16, kPadTop = 72, kPadRight = 272, kPadBottom = 328;
constexpr int kBallWidth = 28, kBallHeight = 30;
constexpr int kMenuItemHeight = 20, kMenuBorder = 2;  // the menus' item grid
// Presses further apart than a double click.
constexpr int kApart = 600;

class OrvEditor : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_LOADED(plugin);
        plugin.Start();
        parent = x.CreateParent();
        ASSERT_EQ(plugin.Dispatch(vst::effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
        editor = x.Children(parent).at(0);
        Idle(300);
        plugin.host.ClearCalls();
    }
    void TearDown() override
    {
        if (plugin.effect != nullptr)
            plugin.Dispatch(vst::effEditClose);
    }

    void Idle(int milliseconds)
    {
        for (int waited = 0; waited < milliseconds; waited += X11TestHost::kIdleMilliseconds) {
            plugin.Dispatch(vst::effEditIdle);
            Pause(X11TestHost::kIdleMilliseconds);
        }
    }
    void AsUser(const std::function<void(X11TestHost&)>& script)
    {
        x11test::ActAsUser([this] { plugin.Dispatch(vst::effEditIdle); }, script);
    }
    float Value(int index) const { return plugin.effect->getParameter(plugin.effect, index); }
    std::string ProgramName()
    {
        char name[64] = {};
        plugin.Dispatch(vst::effGetProgramName, 0, 0, name);
        return name;
    }
    size_t Count(int32_t opcode, int index) const
    {
        size_t n = 0;
        for (const hosttest::HostCall& call : plugin.host.CallsOf(opcode))
            n += call.index == index;
        return n;
    }

    X11TestHost x;
    HostedPlugin plugin;
    Window parent = 0;
    Window editor = 0;
};

TEST_F(OrvEditor, TheWindowShowsTheHeadlessRenderPixelForPixel)
{
    const std::vector<uint32_t> shot = x.Screenshot(editor, kPanelWidth, kPanelHeight);
    std::vector<uint8_t> render(static_cast<size_t>(kPanelWidth) * kPanelHeight * 4);
    ASSERT_EQ(
        plugin.Dispatch(vst::effVendorSpecific, kSnapshotRequest, static_cast<intptr_t>(render.size()), render.data()),
        1);
    size_t differing = 0;
    for (size_t i = 0; i < shot.size(); ++i) {
        const uint32_t rgb = (uint32_t{render[4 * i]} << 16) | (uint32_t{render[4 * i + 1]} << 8) | render[4 * i + 2];
        differing += shot[i] != rgb;
    }
    ASSERT_EQ(shot.size(), render.size() / 4);
    EXPECT_EQ(differing, 0u);
}

TEST_F(OrvEditor, DraggingVividIsOneEditTheHostSees)
{
    const float before = Value(kVivid);
    AsUser([this](X11TestHost& user) {
        user.MoveTo(editor, 314, 255);
        user.Press();
        Pause(80);
        for (int y = 250; y >= 190; y -= 10) {
            user.MoveTo(editor, 314, y);
            Pause(40);
        }
        user.Release();
    });
    EXPECT_GT(Value(kVivid), before);
    EXPECT_EQ(Count(vst::audioMasterBeginEdit, kVivid), 1u);
    EXPECT_GE(Count(vst::audioMasterAutomate, kVivid), 1u);
    EXPECT_EQ(Count(vst::audioMasterEndEdit, kVivid), 1u);
}

TEST_F(OrvEditor, DraggingTheFirstBallMovesTheVariation)
{
    // Where the pad puts the first ball for the current values.
    const double vx = 2.0 * Value(kVariationX) - 1.0;
    const double vy = 2.0 * Value(kVariationY) - 1.0;
    const int px = static_cast<int>(std::floor((vx * std::sqrt(1 - vy * vy / 2) + 1) * 0.5 *
                                               (kPadRight - kPadLeft - kBallWidth + 4))) +
                   kPadLeft;
    const int py = static_cast<int>(std::floor((kPadBottom - kPadTop - kBallHeight + 6) *
                                               (1 - (vy * std::sqrt(1 - vx * vx / 2) + 1) * 0.5))) +
                   kPadTop;
    const float beforeX = Value(kVariationX);
    const float beforeY = Value(kVariationY);
    const int ballX = px + kBallWidth / 2;
    const int ballY = py + kBallHeight / 2;
    const int toX = ballX < (kPadLeft + kPadRight) / 2 ? ballX + 40 : ballX - 40;
    const int toY = ballY < (kPadTop + kPadBottom) / 2 ? ballY + 40 : ballY - 40;
    AsUser([&](X11TestHost& user) {
        user.MoveTo(editor, ballX, ballY);
        user.Press();
        Pause(60);
        user.MoveTo(editor, (ballX + toX) / 2, (ballY + toY) / 2);
        Pause(60);
        user.MoveTo(editor, toX, toY);
        Pause(60);
        user.Release();
    });
    EXPECT_NE(Value(kVariationX), beforeX);
    EXPECT_NE(Value(kVariationY), beforeY);
}

TEST_F(OrvEditor, TheModeSwitchCyclesAndTheProgramButtonsStep)
{
    std::vector<float> modes{Value(kMorphMode)};
    const int program = static_cast<int>(plugin.Dispatch(vst::effGetProgram));
    std::vector<int> programs;
    AsUser([&](X11TestHost& user) {
        for (int i = 0; i < 4; ++i) {
            Pause(kApart);
            user.Click(editor, 570, 304);
            Pause(150);
            modes.push_back(Value(kMorphMode));
        }
        Pause(kApart);
        user.Click(editor, 139, 28);  // next
        Pause(150);
        programs.push_back(static_cast<int>(plugin.Dispatch(vst::effGetProgram)));
        Pause(kApart);
        user.Click(editor, 88, 28);  // previous
        Pause(150);
        programs.push_back(static_cast<int>(plugin.Dispatch(vst::effGetProgram)));
    });
    ASSERT_EQ(modes.size(), 5u);
    for (size_t i = 1; i < 4; ++i)
        EXPECT_NE(modes[i], modes[i - 1]) << "click " << i;
    EXPECT_EQ(modes[4], modes[0]) << "four positions, then round again";
    EXPECT_EQ(programs, (std::vector<int>{program + 1, program}));
}

TEST_F(OrvEditor, TheChooserSwitchesProgramThroughASubmenu)
{
    AsUser([this](X11TestHost& user) {
        user.Click(editor, 112, 28);  // the number box opens the chooser
        Pause(300);
        const std::vector<Window> menus = Popups(user);
        ASSERT_EQ(menus.size(), 1u);
        user.MoveTo(menus[0], 30, kMenuBorder + kMenuItemHeight + kMenuItemHeight / 2);  // "16 - 31"
        Pause(300);
        const std::vector<Window> open = Popups(user);
        ASSERT_EQ(open.size(), 2u);
        user.MoveTo(open[1], 40, kMenuBorder + 3 * kMenuItemHeight + kMenuItemHeight / 2);  // "19: ..."
        Pause(100);
        user.Press();
        user.Release();
    });
    EXPECT_EQ(plugin.Dispatch(vst::effGetProgram), 19);
}

TEST_F(OrvEditor, RenamingTakesTheTypedNameAndEscapeKeepsTheOld)
{
    const std::string original = ProgramName();
    AsUser([this](X11TestHost& user) {
        user.Click(editor, 250, 29);  // the name box
        Pause(300);
        for (const char* key : {"x", "Escape"})
            user.SendKey(editor, key, true);
    });
    EXPECT_EQ(ProgramName(), original);
    AsUser([this](X11TestHost& user) {
        Pause(kApart);
        user.Click(editor, 250, 29);
        Pause(300);
        for (const char* key : {"M", "i", "n", "e", "Return"})
            user.SendKey(editor, key, true);
    });
    EXPECT_EQ(ProgramName(), "Mine");
    Window focused = 0;
    int revert = 0;
    XGetInputFocus(x.display, &focused, &revert);
    EXPECT_NE(focused, editor) << "the keyboard goes back once the field closes";
}

// A program on PATH (a dialog program, the browser launcher) that runs the
// given shell lines; $DIR is its own folder.
class FakeProgram {
public:
    FakeProgram(const std::string& name, const std::string& body)
    {
        char pattern[] = "/tmp/orv-fake.XXXXXX";
        folder = mkdtemp(pattern);
        file = folder + "/" + name;
        std::ofstream(file) << "#!/bin/sh\nDIR=" << folder << "\n" << body << "\n";
        chmod(file.c_str(), 0755);
        savedPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
        setenv("PATH", (folder + ":" + savedPath).c_str(), 1);
    }
    ~FakeProgram()
    {
        setenv("PATH", savedPath.c_str(), 1);
        std::system(("rm -rf " + folder).c_str());
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(folder + "/" + name);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string folder;

private:
    std::string file;
    std::string savedPath;
};

// Chooses an item of the option menu: its top-level row, then, when given,
// a row of the submenu it opens.
void ChooseOption(X11TestHost& user, Window editor, int row, int subRow = -1)
{
    Pause(kApart);
    user.Click(editor, 372, 26);
    Pause(300);
    const std::vector<Window> menus = Popups(user);
    ASSERT_EQ(menus.size(), 1u);
    user.MoveTo(menus[0], 40, row);
    Pause(300);
    if (subRow >= 0) {
        const std::vector<Window> open = Popups(user);
        ASSERT_EQ(open.size(), 2u);
        user.MoveTo(open[1], 40, subRow);
        Pause(100);
    }
    user.Press();
    user.Release();
}

// Rows of the option menu: items are 20 pixels, separators 7, inside a
// 2-pixel border.
constexpr int kInitProgramRow = kMenuBorder + 2 * kMenuItemHeight + kMenuItemHeight / 2;
constexpr int kSaveProgramRow = kMenuBorder + 4 * kMenuItemHeight + 7 + kMenuItemHeight / 2;
constexpr int kGoOnlineRow = kMenuBorder + 14 * kMenuItemHeight + 4 * 7 + kMenuItemHeight / 2;
constexpr int kVisitSiteRow = kMenuBorder + kMenuItemHeight + kMenuItemHeight / 2;

TEST_F(OrvEditor, MenusStayOnTheScreenWhereverThePanelIs)
{
    // The host's window moved to the bottom right corner: the option menu
    // and its submenu would run off the screen there.
    plugin.Dispatch(vst::effEditClose);
    const int screenWidth = DisplayWidth(x.display, DefaultScreen(x.display));
    const int screenHeight = DisplayHeight(x.display, DefaultScreen(x.display));
    const Window corner =
        x.CreateParent(kPanelWidth, kPanelHeight, screenWidth - kPanelWidth, screenHeight - kPanelHeight);
    ASSERT_EQ(plugin.Dispatch(vst::effEditOpen, 0, 0, reinterpret_cast<void*>(corner)), 1);
    editor = x.Children(corner).at(0);
    Idle(200);
    AsUser([&](X11TestHost& user) {
        Pause(kApart);
        user.Click(editor, 372, 26);
        Pause(300);
        const std::vector<Window> menus = Popups(user);
        ASSERT_EQ(menus.size(), 1u);
        user.MoveTo(menus[0], 40, kGoOnlineRow);
        Pause(300);
        const std::vector<Window> open = Popups(user);
        ASSERT_EQ(open.size(), 2u);
        XWindowAttributes shown[2]{};
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(XGetWindowAttributes(user.display, open[static_cast<size_t>(i)], &shown[i]));
            EXPECT_GE(shown[i].x, 0);
            EXPECT_GE(shown[i].y, 0);
            EXPECT_LE(shown[i].x + shown[i].width, screenWidth);
            EXPECT_LE(shown[i].y + shown[i].height, screenHeight);
        }
        EXPECT_LE(shown[1].x + shown[1].width, shown[0].x + kMenuBorder) << "the submenu opens on the left";
    });
}

TEST_F(OrvEditor, SaveProgramWritesWhereTheFileDialogSays)
{
    FakeProgram zenity("zenity", "echo \"$@\" > $DIR/asked\necho $DIR/mine.fxp");
    AsUser([this](X11TestHost& user) { ChooseOption(user, editor, kSaveProgramRow); });
    EXPECT_NE(zenity.Read("asked").find("--save"), std::string::npos) << zenity.Read("asked");
    EXPECT_FALSE(zenity.Read("mine.fxp").empty());
}

TEST_F(OrvEditor, VisitingTheSiteStartsTheBrowserWithoutWaitingForIt)
{
    FakeProgram xdgOpen("xdg-open", "echo \"$1\" > $DIR/opened\nsleep 3\necho done >> $DIR/opened");
    AsUser([this](X11TestHost& user) { ChooseOption(user, editor, kGoOnlineRow, kVisitSiteRow); });
    Pause(300);
    const std::string opened = xdgOpen.Read("opened");
    EXPECT_NE(opened.find("http"), std::string::npos) << opened;
    EXPECT_EQ(opened.find("done"), std::string::npos) << "the panel waited for the browser";
}

TEST_F(OrvEditor, AudioRunsOnWhileAQuestionWaitsForItsAnswer)
{
    FakeProgram zenity("zenity", "sleep 2\nexit 1");
    double longestBlock = 0.0;
    AsUser([&](X11TestHost& user) {
        ChooseOption(user, editor, kInitProgramRow);
        Pause(300);  // the question is up now, for two seconds
        std::vector<float> left(64), right(64);
        float* outputs[] = {left.data(), right.data()};
        for (int block = 0; block < 20; ++block) {
            const auto start = std::chrono::steady_clock::now();
            plugin.effect->processReplacing(plugin.effect, nullptr, outputs, 64);
            longestBlock =
                std::max(longestBlock, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            Pause(10);
        }
    });
    EXPECT_LT(longestBlock, 0.5) << "audio waited for the dialog";
}

TEST_F(OrvEditor, InitProgramAsksFirstAndANoKeepsTheProgram)
{
    const std::string original = ProgramName();
    for (int answer : {1, 0}) {  // No, then Yes
        FakeProgram zenity("zenity", "exit " + std::to_string(answer));
        AsUser([this](X11TestHost& user) { ChooseOption(user, editor, kInitProgramRow); });
        if (answer == 1)
            EXPECT_EQ(ProgramName(), original);
        else
            EXPECT_NE(ProgramName(), original);
    }
}

}  // namespace
