// ORV's editor on a desktop drawn at twice the size: the desktop publishes
// Xft.dpi 192, the editor opens at 1216 x 704 and every control is where
// the user sees it, at twice its place; and how the published settings are
// read.
#include <gtest/gtest.h>

#include "editor/x11/X11DisplayScale.h"
#include "tests/host/HostedPlugin.h"
#include "tests/x11/X11TestHost.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstring>
#include <string>

using namespace orv::editor;
using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

namespace {

using hosttest::HostedPlugin;
using x11test::Pause;
using x11test::X11TestHost;

constexpr int kVivid = 3;

// The desktop's resources (RESOURCE_MANAGER on the root window) for as long
// as the object lives; a connection opened meanwhile reads them.
class DesktopResources {
public:
    DesktopResources(Display* display, const std::string& resources) : display(display)
    {
        XChangeProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(resources.c_str()), static_cast<int>(resources.size()));
        XSync(display, False);
    }
    ~DesktopResources()
    {
        XDeleteProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER);
        XSync(display, False);
    }

private:
    Display* display;
};

}  // namespace

TEST(DesktopScale, XftDpiAndGdkScaleAreReadAsDesktopsWriteThem)
{
    const struct {
        const char* resources;
        double scale;
    } dpis[] = {{"Xft.dpi:\t192\n", 2.0},
                {"Xft.antialias:\t1\nXft.dpi:\t144\nXft.hinting:\t1\n", 1.5},
                {"Xft.dpi:\t120", 1.25},
                {"Xft.dpi:\t96.0\n", 1.0},
                {"Xft.hinting:\t1\n", 0.0},
                {"Xft.dpi:\tlarge\n", 0.0},
                {"Xft.dpi:\t-96\n", 0.0},
                {"", 0.0},
                {nullptr, 0.0}};
    for (const auto& c : dpis)
        EXPECT_EQ(XftDpiScale(c.resources), c.scale) << (c.resources != nullptr ? c.resources : "(none)");
    const struct {
        const char* value;
        double scale;
    } gdk[] = {{"2", 2.0}, {"1", 1.0}, {"0", 0.0}, {"1.5", 0.0}, {"x", 0.0}, {"", 0.0}, {nullptr, 0.0}};
    for (const auto& c : gdk)
        EXPECT_EQ(GdkScale(c.value), c.scale) << (c.value != nullptr ? c.value : "(none)");
}

TEST(DesktopScale, At192DpiTheEditorOpensAtTwiceItsSizeWithEveryControlAtTwiceItsPlace)
{
    X11TestHost x;
    const DesktopResources resources(x.display, "Xft.dpi:\t192\n");
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start();
    const Window parent = x.CreateParent(1240, 720);
    ASSERT_EQ(plugin.Dispatch(vst::effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
    const Window editor = x.Children(parent).at(0);
    XWindowAttributes attributes{};
    XGetWindowAttributes(x.display, editor, &attributes);
    EXPECT_EQ(attributes.width, 1216);
    EXPECT_EQ(attributes.height, 704);
    vst::ERect* rect = nullptr;
    ASSERT_EQ(plugin.Dispatch(vst::effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->right - rect->left, 1216);
    EXPECT_EQ(rect->bottom - rect->top, 704);

    // Vivid's handle, dragged up from the bottom of its travel, as at 100 %
    // with every coordinate doubled.
    plugin.effect->setParameter(plugin.effect, kVivid, 0.0f);
    const float before = plugin.effect->getParameter(plugin.effect, kVivid);
    x11test::ActAsUser([&] { plugin.Dispatch(vst::effEditIdle); },
                       [&](X11TestHost& user) {
                           user.MoveTo(editor, 2 * 314, 2 * 255);
                           user.Press();
                           Pause(80);
                           for (int y = 2 * 250; y >= 2 * 190; y -= 20) {
                               user.MoveTo(editor, 2 * 314, y);
                               Pause(40);
                           }
                           user.Release();
                       });
    EXPECT_GT(plugin.effect->getParameter(plugin.effect, kVivid), before + 0.5f);
    plugin.Dispatch(vst::effEditClose);
}
