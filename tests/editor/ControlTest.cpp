// The control kinds as a user meets them on the panel: faders follow the
// pointer and the wheel, switches step through their frames, a double click
// returns to the default, and each draws the frame its value calls for.
#include "tests/editor/EditorFixture.h"

#include "editor/ContactControl.h"
#include "editor/FaderControl.h"
#include "editor/SwitchControl.h"
#include "editor/TextControl.h"

#include <gtest/gtest.h>

using namespace orv::editor;
using namespace orv::framework;

using namespace editortest;

namespace {

// The panel's faders: vertical ones of travel 86 with a 26 x 16 handle, the
// horizontal one of travel 160 with a 15 x 27 handle.
constexpr int kVerticalX = 301, kVerticalY = 181, kVerticalTravel = 86;
constexpr int kHorizontalX = 336, kHorizontalY = 291, kHorizontalTravel = 160;

struct FaderFixture : EditorFixture {
    FaderFixture()
    {
        vertical = Add(std::make_unique<FaderControl>(&plugin, kVerticalX, kVerticalY, kVerticalTravel, 3,
                                                      Strip(26, 16, 1), kFaderVertical));
        horizontal = Add(std::make_unique<FaderControl>(&plugin, kHorizontalX, kHorizontalY, kHorizontalTravel, 6,
                                                        Strip(15, 27, 1), kFaderHorizontal));
        Attach();
    }
    FaderControl* vertical;
    FaderControl* horizontal;
};

}  // namespace

TEST(Fader, ValueFollowsThePointerAndStaysWithinItsRange)
{
    struct Case {
        bool horizontal;
        int pressAt;  // y for vertical, x for horizontal; inside the track
        int dragTo;
        double pressed, dragged;
    } cases[] = {
        {false, 189, 259, 1.0, 0.0},        // handle centre at the top and bottom ends
        {false, 259, 224, 0.0, 0.5},        // dragged 35 of 70 pixels up
        {false, 185, 100, 1.0, 1.0},        // above the track: the top
        {false, 266, 400, 0.0, 0.0},        // below the track: the bottom
        {true, 343, 488, 0.0, 1.0},         // the envelope fader's ends
        {true, 415, 550, 72.0 / 145, 1.0},  // past the right end
        {true, 340, 0, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        FaderFixture f;
        FaderControl* fader = c.horizontal ? f.horizontal : f.vertical;
        const int index = fader->ParamIdx();
        auto at = [&](int v) { return c.horizontal ? std::pair{v, kHorizontalY + 5} : std::pair{kVerticalX + 5, v}; };
        f.Press(at(c.pressAt).first, at(c.pressAt).second);
        EXPECT_DOUBLE_EQ(fader->Value(), c.pressed) << "press at " << c.pressAt;
        f.DragTo(at(c.dragTo).first, at(c.dragTo).second);
        EXPECT_DOUBLE_EQ(fader->Value(), c.dragged) << "drag to " << c.dragTo;
        EXPECT_NEAR(f.plugin.GetParameter(index).value, c.dragged, 1e-4);
    }
}

TEST(Fader, WheelMovesByCoarseOrFineStepsPerNotch)
{
    struct Case {
        MouseModifiers mods;
        int delta;
        double expected;
    } cases[] = {
        {{}, 120, 0.26},  {{}, -240, 0.23}, {{.shift = true}, 120, 0.251}, {{.control = true}, -360, 0.247},
        {{}, 60, 0.25},    // half a notch does nothing
        {{}, 12000, 1.0},  // limited to the range
    };
    for (const Case& c : cases) {
        FaderFixture f;
        f.graphics.OnMouseWheel(kVerticalX + 5, 220, c.mods, c.delta);
        EXPECT_NEAR(f.vertical->Value(), c.expected, 1e-12) << c.delta;
    }
}

TEST(Fader, DoubleClickReturnsToTheFirstValueThePluginShowed)
{
    FaderFixture f;
    EXPECT_DOUBLE_EQ(f.vertical->DefaultValue(), EditorPlugin::kDefault);
    // A program change moves the fader; the default stays.
    f.plugin.GetParameter(3).value = 0.9;
    f.plugin.RefreshParameterControls();
    EXPECT_DOUBLE_EQ(f.vertical->Value(), 0.9);
    f.graphics.OnMouseDblClick(kVerticalX + 5, 200, LeftButton());
    EXPECT_DOUBLE_EQ(f.vertical->Value(), EditorPlugin::kDefault);
    EXPECT_DOUBLE_EQ(f.plugin.GetParameter(3).value, EditorPlugin::kDefault);
}

TEST(Fader, HandleIsDrawnWhereTheValuePutsIt)
{
    FaderFixture f;
    f.graphics.OnTimer();
    // Value 0.25 of a 70-pixel span: the handle's top is 52 pixels down.
    const int top = kVerticalY + static_cast<int>(70 * 0.75);
    EXPECT_EQ(f.vertical->HandleRect(), (Rect{kVerticalX, top, kVerticalX + 26, top + 16}));
    EXPECT_EQ(f.Pixel(kVerticalX + 3, top), FrameColour(0));
    EXPECT_EQ(f.Pixel(kVerticalX + 3, top - 1), 0u);
    EXPECT_EQ(f.Pixel(kVerticalX + 3, top + 16), 0u);
}

TEST(Switch, StepsThroughItsFramesAndWrapsToTheFirst)
{
    struct Case {
        int frames;
        std::vector<double> values;  // after each click
    } cases[] = {
        {4, {1.0 / 3, 2.0 / 3, 1.0, 0.0, 1.0 / 3}},
        {2, {1.0, 0.0, 1.0}},
        {1, {1.0, 0.0}},
    };
    for (const Case& c : cases) {
        EditorFixture f;
        auto* morph =
            f.Add(std::make_unique<SwitchControl>(&f.plugin, 544, 296, 10, f.Strip(52, 16, c.frames), kBlendNone));
        f.Attach();
        for (size_t click = 0; click < c.values.size(); ++click) {
            f.Press(550, 300);
            f.Release(550, 300);
            EXPECT_NEAR(morph->Value(), c.values[click], 1e-12) << c.frames << " frames, click " << click;
            f.graphics.OnTimer();
            const int frame = c.frames < 2 ? 0 : static_cast<int>(c.values[click] * (c.frames - 1) + 0.5);
            EXPECT_EQ(f.Pixel(560, 300), FrameColour(frame));
        }
    }
}

TEST(Switch, DoubleClickStepsLikeAClick)
{
    EditorFixture f;
    auto* morph = f.Add(std::make_unique<SwitchControl>(&f.plugin, 544, 296, 10, f.Strip(52, 16, 4), kBlendNone));
    f.Attach();
    f.Press(550, 300);
    f.Release(550, 300);
    f.graphics.OnMouseDblClick(550, 300, LeftButton());
    f.Release(550, 300);
    EXPECT_DOUBLE_EQ(morph->Value(), 2.0 / 3);
    // The enumeration follows: the third of four modes.
    EXPECT_DOUBLE_EQ(f.plugin.GetParameter(EditorPlugin::kModeParameter).value, 2.0);
}

TEST(Contact, ShowsThePressedFrameUntilReleased)
{
    EditorFixture f;
    auto* button = f.Add(std::make_unique<ContactControl>(&f.plugin, 77, 17, -15, f.Strip(22, 22, 2), kBlendNone));
    f.Attach();
    f.Press(80, 20);
    f.graphics.OnTimer();
    EXPECT_EQ(f.Pixel(80, 20), FrameColour(1));
    f.Release(80, 20);
    f.graphics.OnTimer();
    EXPECT_EQ(f.Pixel(80, 20), FrameColour(0));
    EXPECT_EQ(button->Value(), 0.0);
    EXPECT_TRUE(f.HostEdits().empty()) << "a pseudo-index reaches no parameter";
}

TEST(Controls, HiddenAndGreyedControlsTakeNoClicks)
{
    EditorFixture f;
    auto* under = f.Add(std::make_unique<SwitchControl>(&f.plugin, 0, 0, -1, f.Strip(40, 40, 2), kBlendNone));
    auto* over = f.Add(std::make_unique<SwitchControl>(&f.plugin, 10, 10, -1, f.Strip(20, 20, 2), kBlendNone));
    auto* nowhere = f.Add(std::make_unique<SwitchControl>(&f.plugin, 0, 0, -1, f.Strip(0, 0, 2), kBlendNone));
    f.Attach();
    struct Step {
        bool hideOver, greyOver;
        double under, over;  // values after one click at (15, 15)
    } steps[] = {{false, false, 0, 1}, {true, false, 1, 1}, {false, true, 0, 1}};
    for (const Step& s : steps) {
        over->SetHidden(s.hideOver);
        over->SetGreyed(s.greyOver);
        f.Press(15, 15);
        f.Release(15, 15);
        EXPECT_EQ(under->Value(), s.under);
        EXPECT_EQ(over->Value(), s.over);
    }
    EXPECT_FLOAT_EQ(over->GetBlend().weight, 0.25f);
    EXPECT_EQ(nowhere->Value(), 0.0) << "an empty rectangle is never hit";
}

TEST(TextControl, RedrawsOnlyWhenItsTextChanges)
{
    EditorFixture f;
    TextStyle style;
    auto* text = f.Add(std::make_unique<TextControl>(&f.plugin, Rect{457, 22, 541, 36}, style, "v.2.0.0.N"));
    f.Attach();
    f.graphics.OnTimer();
    text->SetTextFromParameter("v.2.0.0.N");
    EXPECT_FALSE(text->IsDirty());
    text->SetTextFromParameter("other");
    EXPECT_TRUE(text->IsDirty());
    EXPECT_EQ(text->String(), "other");
}
