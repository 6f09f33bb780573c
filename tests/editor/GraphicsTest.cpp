// The graphics context as the window drives it: which control a click
// reaches, who gets the drag and the release, what is redrawn on a timer
// tick, when the plug-in hears of idle time, and what a resize keeps.
#include "tests/editor/EditorFixture.h"

#include "editor/FaderControl.h"

#include <gtest/gtest.h>

using namespace orv::editor;
using namespace orv::framework;

using namespace editortest;

namespace {

// A control that writes every event it gets into a shared log.
class ProbeControl : public Control {
public:
    ProbeControl(PluginBase* plug, const Rect& rect, std::vector<std::string>& log, std::string name, int paramIdx = -1)
        : Control(plug, rect, paramIdx, Blend{}), log(log), name(std::move(name))
    {}
    void OnMouseDown(int x, int y, const MouseModifiers&) override { Write("down", x, y); }
    void OnMouseUp(int x, int y, const MouseModifiers&) override { Write("up", x, y); }
    void OnMouseDrag(int, int, int dx, int dy, const MouseModifiers&) override { Write("drag", dx, dy); }
    void OnMouseDblClick(int x, int y, const MouseModifiers&) override { Write("double", x, y); }
    void OnMouseWheel(int, int, const MouseModifiers&, int d) override { Write("wheel", d, 0); }
    void OnMouseOver(int x, int y, const MouseModifiers&) override { Write("over", x, y); }
    void OnMouseOut() override { Write("out", 0, 0); }
    bool OnKeyDown(int, int, int key) override
    {
        Write("key", key, 0);
        return takesKeys;
    }
    bool takesKeys = false;

private:
    void Write(const char* what, int a, int b)
    {
        log.push_back(name + " " + what + " " + std::to_string(a) + " " + std::to_string(b));
    }
    std::vector<std::string>& log;
    std::string name;
};

struct ProbeFixture : EditorFixture {
    ProbeFixture()
    {
        background = Add(std::make_unique<ProbeControl>(&plugin, Rect{0, 0, 608, 352}, log, "back"));
        menu = Add(std::make_unique<ProbeControl>(&plugin, Rect{102, 21, 345, 37}, log, "menu"));
        next = Add(std::make_unique<ProbeControl>(&plugin, Rect{128, 17, 150, 39}, log, "next"));
        Attach();
    }
    std::vector<std::string> log;
    ProbeControl* background;
    ProbeControl* menu;
    ProbeControl* next;
};

}  // namespace

TEST(Graphics, ClicksReachTheTopmostControlUnderThePointer)
{
    // The later control lies over the earlier one where they overlap.
    struct Case {
        int x, y;
        const char* expected;
    } cases[] = {
        {130, 25, "next down 130 25"},   {110, 30, "menu down 110 30"}, {100, 30, "back down 100 30"},
        {149, 38, "next down 149 38"},   {150, 36, "menu down 150 36"}, {150, 39, "back down 150 39"},
        {607, 351, "back down 607 351"},
    };
    for (const Case& c : cases) {
        ProbeFixture f;
        f.Press(c.x, c.y);
        ASSERT_EQ(f.log.size(), 1u);
        EXPECT_EQ(f.log[0], c.expected);
    }
    ProbeFixture f;
    f.Press(608, 10);
    f.Press(-1, 10);
    EXPECT_TRUE(f.log.empty()) << "outside the panel nothing is hit";
}

TEST(Graphics, ThePressedControlKeepsTheMouseUntilRelease)
{
    ProbeFixture f;
    f.Press(130, 25);
    f.DragTo(130, 25);  // no movement: no drag
    f.DragTo(200, 30);  // over another control
    f.DragTo(190, 10);  // outside every control but the background
    f.graphics.OnMouseWheel(300, 300, {}, 240);
    f.Release(300, 300);
    f.DragTo(310, 300);  // nothing pressed: no drag
    f.graphics.OnMouseWheel(300, 300, {}, -120);
    EXPECT_EQ(f.log, (std::vector<std::string>{"next down 130 25", "next drag 70 5", "next drag -10 -20",
                                               "next wheel 2 0", "next up 300 300", "back wheel -1 0"}));
}

TEST(Graphics, DoubleClickGoesToTheControlOrActsAsAPress)
{
    ProbeFixture f;
    EXPECT_FALSE(f.graphics.OnMouseDblClick(110, 30, LeftButton()));
    f.next->SetDoubleClickActsAsPress(true);
    EXPECT_TRUE(f.graphics.OnMouseDblClick(130, 25, LeftButton())) << "the window captures the mouse";
    f.DragTo(131, 25);
    EXPECT_EQ(f.log, (std::vector<std::string>{"menu double 110 30", "next down 130 25", "next drag 1 0"}));
}

TEST(Graphics, MouseOverIsReportedOnlyWhenAskedFor)
{
    ProbeFixture f;
    EXPECT_FALSE(f.graphics.OnMouseOver(110, 30, {}));
    EXPECT_TRUE(f.log.empty());
    f.graphics.SetHandleMouseOver(true);
    f.next->SetGreyed(true);
    EXPECT_TRUE(f.graphics.OnMouseOver(110, 30, {}));
    f.graphics.OnMouseOver(130, 25, {});  // greyed: the menu below answers
    f.next->SetMouseOverWhenGreyed(true);
    f.graphics.OnMouseOver(130, 26, {});
    EXPECT_EQ(f.log,
              (std::vector<std::string>{"menu over 110 30", "menu over 130 25", "next over 130 26", "menu out 0 0"}));
    f.log.clear();
    f.graphics.OnMouseOut();
    EXPECT_EQ(f.log, (std::vector<std::string>{"back out 0 0", "menu out 0 0", "next out 0 0"}));
}

TEST(Graphics, KeysGoToTheControlUnderThePointerAndNotToTheBackground)
{
    ProbeFixture f;
    EXPECT_FALSE(f.graphics.OnKeyDown(110, 30, 15)) << "not taken: the window passes it to the host";
    f.menu->takesKeys = true;
    EXPECT_TRUE(f.graphics.OnKeyDown(110, 30, 16));
    EXPECT_FALSE(f.graphics.OnKeyDown(300, 300, 17)) << "over the background, without a key catcher";
    f.graphics.SetKeyCatcher(f.menu);
    EXPECT_TRUE(f.graphics.OnKeyDown(300, 300, 18));
    EXPECT_EQ(f.log, (std::vector<std::string>{"menu key 15 0", "menu key 16 0", "menu key 18 0"}));
}

TEST(Graphics, TimerRedrawsDirtyControlsAndReportsIdleTimeAfterQuietTicks)
{
    ProbeFixture f;
    // Everything starts dirty: the first tick draws the union of all.
    f.graphics.OnTimer();
    ASSERT_EQ(f.graphics.blitted.size(), 1u);
    EXPECT_EQ(f.graphics.blitted[0], (Rect{0, 0, 608, 352}));
    for (int tick = 1; tick <= 20; ++tick)
        f.graphics.OnTimer();
    EXPECT_EQ(f.plugin.idleTicks, 0);
    f.graphics.OnTimer();
    EXPECT_EQ(f.plugin.idleTicks, 1) << "on the 21st quiet tick";
    for (int tick = 0; tick < 20; ++tick)
        f.graphics.OnTimer();
    f.menu->MarkDirty(false);  // a change restarts the count
    f.graphics.OnTimer();
    for (int tick = 0; tick < 20; ++tick)
        f.graphics.OnTimer();
    EXPECT_EQ(f.plugin.idleTicks, 1);
    f.graphics.OnTimer();
    EXPECT_EQ(f.plugin.idleTicks, 2);
    ASSERT_EQ(f.graphics.blitted.size(), 2u);
    EXPECT_EQ(f.graphics.blitted[1], (Rect{102, 21, 345, 37})) << "only the dirty control's area";
}

TEST(Graphics, ValueFromThePluginIsDrawnAndDrawnOnceMore)
{
    EditorFixture f;
    auto* fader = f.Add(std::make_unique<FaderControl>(&f.plugin, 301, 181, 86, 3, f.Strip(26, 16, 1), kFaderVertical));
    f.Attach();
    f.graphics.OnTimer();
    EXPECT_FALSE(fader->IsDirty());
    f.plugin.PushParameterToControls(3, 0.75, true);
    EXPECT_TRUE(fader->IsDirty());
    f.graphics.OnTimer();
    EXPECT_TRUE(fader->IsDirty()) << "a change from outside is drawn on two ticks";
    f.graphics.OnTimer();
    EXPECT_FALSE(fader->IsDirty());
    EXPECT_EQ(f.graphics.blitted.size(), 3u);
}

TEST(Graphics, ResizeDeletesEveryControlButTheSameSizeKeepsThem)
{
    ProbeFixture f;
    f.graphics.Resize(608, 352);
    EXPECT_EQ(f.graphics.ControlCount(), 3);
    f.Press(130, 25);
    f.graphics.Resize(400, 300);
    EXPECT_EQ(f.graphics.ControlCount(), 0);
    EXPECT_EQ(f.graphics.DrawBitmap()->Width(), 400);
    EXPECT_EQ(f.graphics.DrawBitmap()->Height(), 300);
    f.DragTo(10, 10);  // the pressed control is gone
    f.Release(10, 10);
    f.graphics.OnTimer();
    EXPECT_EQ(f.log, (std::vector<std::string>{"next down 130 25"}));
}

TEST(Graphics, ImagesThatCannotBeLoadedDrawNothing)
{
    EditorFixture f;
    EXPECT_EQ(f.graphics.LoadPngResource(101, "resources/img/back.bmp"), nullptr);
    const BitmapStrip missing = f.graphics.LoadImageStrip(9999, "missing.png", 2);
    EXPECT_EQ(missing.image, nullptr);
    f.graphics.SetBackground(9998, "missing.PNG");
    f.Attach();
    ASSERT_EQ(f.graphics.ControlCount(), 1);
    EXPECT_FALSE(f.graphics.GetControl(0)->Draw(f.graphics));
    f.graphics.OnTimer();
}
