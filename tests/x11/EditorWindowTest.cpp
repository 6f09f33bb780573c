// The editor window as a Linux host meets it: opened into the host's window,
// idled, closed, reopened, alongside a second editor, and outliving the
// host's window.
// gtest before Xlib: Xlib's macros (None, Bool) would break gtest's names.
#include <gtest/gtest.h>

#include "tests/host/HostedPlugin.h"
#include "tests/x11/X11TestHost.h"

#include <X11/Xutil.h>

#include <chrono>
#include <memory>
#include <thread>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

namespace {

using hosttest::HostedPlugin;
using x11test::X11TestHost;

constexpr int kPanelWidth = 608;
constexpr int kPanelHeight = 352;

void* AsParent(Window window)
{
    return reinterpret_cast<void*>(static_cast<uintptr_t>(window));
}

// effEditIdle at the host's rate for a while.
void Idle(HostedPlugin& plugin, int milliseconds = 150)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        plugin.Dispatch(vst::effEditIdle);
        std::this_thread::sleep_for(std::chrono::milliseconds(X11TestHost::kIdleMilliseconds));
    }
}

class EditorWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_LOADED(plugin);
        plugin.Start();
    }

    X11TestHost x;
    HostedPlugin plugin;
};

TEST_F(EditorWindow, TheRectangleIsThePanelsBeforeDuringAndAfterOpening)
{
    EXPECT_NE(plugin.effect->flags & vst::effFlagsHasEditor, 0);
    const Window parent = x.CreateParent();
    for (int phase = 0; phase < 3; ++phase) {
        vst::ERect* rect = nullptr;
        ASSERT_EQ(plugin.Dispatch(vst::effEditGetRect, 0, 0, &rect), 1) << "phase " << phase;
        ASSERT_NE(rect, nullptr);
        EXPECT_EQ(rect->right - rect->left, kPanelWidth);
        EXPECT_EQ(rect->bottom - rect->top, kPanelHeight);
        if (phase == 0) {
            ASSERT_EQ(plugin.Dispatch(vst::effEditOpen, 0, 0, AsParent(parent)), 1);
        }
        if (phase == 1)
            plugin.Dispatch(vst::effEditClose);
    }
}

TEST_F(EditorWindow, OpensOneMappedChildOfFixedSizeInTheHostsWindow)
{
    plugin.Dispatch(vst::effEditIdle);  // before any open: nothing to do
    const Window parent = x.CreateParent();
    ASSERT_EQ(plugin.Dispatch(vst::effEditOpen, 0, 0, AsParent(parent)), 1);
    ASSERT_EQ(plugin.Dispatch(vst::effEditOpen, 0, 0, AsParent(parent)), 1);  // twice, without a close
    Idle(plugin);
    const std::vector<Window> children = x.Children(parent);
    ASSERT_EQ(children.size(), 1u);
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(x.display, children[0], &attributes));
    EXPECT_EQ(attributes.width, kPanelWidth);
    EXPECT_EQ(attributes.height, kPanelHeight);
    EXPECT_TRUE(x.Viewable(children[0]));
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(x.display, children[0], &hints, &supplied));
    EXPECT_EQ(hints.flags & (PMinSize | PMaxSize), PMinSize | PMaxSize);
    EXPECT_EQ(hints.min_width, kPanelWidth);
    EXPECT_EQ(hints.max_width, kPanelWidth);
    EXPECT_EQ(hints.min_height, kPanelHeight);
    EXPECT_EQ(hints.max_height, kPanelHeight);

    plugin.Dispatch(vst::effEditClose);
    plugin.Dispatch(vst::effEditClose);  // a repeated close
    plugin.Dispatch(vst::effEditIdle);   // idle after close
    x.Sync();
    EXPECT_TRUE(x.Children(parent).empty());
    EXPECT_EQ(X11TestHost::HostErrors(), 0);
}

TEST_F(EditorWindow, OpeningAndClosingFiftyTimesLeavesNoWindowConnectionOrDescriptor)
{
    const Window parent = x.CreateParent();
    // One round first, so anything made once per process exists already.
    plugin.Dispatch(vst::effEditOpen, 0, 0, AsParent(parent));
    Idle(plugin, 50);
    plugin.Dispatch(vst::effEditClose);
    const int descriptors = x11test::OpenDescriptorCount();
    const size_t rootChildren = x.Children(DefaultRootWindow(x.display)).size();
    for (int round = 0; round < 50; ++round) {
        ASSERT_EQ(plugin.Dispatch(vst::effEditOpen, 0, 0, AsParent(parent)), 1) << "round " << round;
        plugin.Dispatch(vst::effEditIdle);
        plugin.Dispatch(vst::effEditIdle);
        plugin.Dispatch(vst::effEditClose);
    }
    x.Sync();
    EXPECT_EQ(x11test::OpenDescriptorCount(), descriptors);
    EXPECT_TRUE(x.Children(parent).empty());
    EXPECT_EQ(x.Children(DefaultRootWindow(x.display)).size(), rootChildren);
    EXPECT_EQ(X11TestHost::HostErrors(), 0);
}

TEST_F(EditorWindow, TwoInstancesShowTwoEditorsAtOnce)
{
    HostedPlugin second;
    ASSERT_LOADED(second);
    second.Start();
    const Window firstParent = x.CreateParent();
    const Window secondParent = x.CreateParent();
    ASSERT_EQ(plugin.Dispatch(vst::effEditOpen, 0, 0, AsParent(firstParent)), 1);
    ASSERT_EQ(second.Dispatch(vst::effEditOpen, 0, 0, AsParent(secondParent)), 1);
    for (int i = 0; i < 5; ++i) {
        Idle(plugin, 10);
        Idle(second, 10);
    }
    ASSERT_EQ(x.Children(firstParent).size(), 1u);
    ASSERT_EQ(x.Children(secondParent).size(), 1u);
    plugin.Dispatch(vst::effEditClose);
    Idle(second, 30);
    EXPECT_TRUE(x.Viewable(x.Children(secondParent).at(0)));  // closing one keeps the other
    second.Dispatch(vst::effEditClose);
    EXPECT_EQ(X11TestHost::HostErrors(), 0);
}

TEST_F(EditorWindow, TheHostDestroyingItsWindowFirstReachesTheHostAsNoError)
{
    const Window parent = x.CreateParent();
    ASSERT_EQ(plugin.Dispatch(vst::effEditOpen, 0, 0, AsParent(parent)), 1);
    Idle(plugin, 50);
    XDestroyWindow(x.display, parent);
    x.Sync();
    Idle(plugin, 100);
    EXPECT_EQ(plugin.Dispatch(vst::effEditClose), 1);
    // And the editor opens again into a new window afterwards.
    const Window next = x.CreateParent();
    ASSERT_EQ(plugin.Dispatch(vst::effEditOpen, 0, 0, AsParent(next)), 1);
    Idle(plugin, 50);
    EXPECT_EQ(x.Children(next).size(), 1u);
    plugin.Dispatch(vst::effEditClose);
    EXPECT_EQ(X11TestHost::HostErrors(), 0);
}

TEST_F(EditorWindow, KeysNoControlTakesStayTheHosts)
{
    const Window parent = x.CreateParent();
    ASSERT_EQ(plugin.Dispatch(vst::effEditOpen, 0, 0, AsParent(parent)), 1);
    Idle(plugin, 50);
    const Window editor = x.Children(parent).at(0);
    x.SendKey(editor, "a", true);  // the same key through both channels
    x.SendKey(editor, "a", false);
    Idle(plugin, 50);
    EXPECT_EQ(plugin.Dispatch(vst::effEditKeyDown, 'a', 0), 0);
    EXPECT_EQ(plugin.Dispatch(vst::effEditKeyUp, 'a', 0), 0);
    EXPECT_EQ(plugin.Dispatch(vst::effEditKeyDown, 0, vst::VKEY_ESCAPE), 0);
    plugin.Dispatch(vst::effEditClose);
    EXPECT_EQ(plugin.Dispatch(vst::effEditKeyDown, 'a', 0), 0);  // after close
}

}  // namespace
