// ORV's panel as users meet it: where every control sits, what a click at a
// given point does, the program chooser, renaming, the learn switch, the
// variation pad, and the headless render of the whole panel.
#include "tests/editor/PanelFixture.h"

#include "editor/TextControl.h"
#include "editor/raster/BitmapCache.h"
#include "editor/raster/Png.h"
#include "instrument/OrvBall.h"
#include "instrument/OrvSwitchMidiLearn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

using namespace orv::editor;
using namespace orv::engine;
using namespace orv::framework;
using namespace orv::instrument;
using namespace orv::platform;

using namespace editortest;

namespace {

OrvBall& Pad(PanelFixture& f)
{
    return *dynamic_cast<OrvBall*>(f.graphics->GetControl(7));
}

// A variation parameter (-1..1) set as a host sets it.
void SetVariation(PanelFixture& f, int index, double real)
{
    f.orv->Effect()->setParameter(f.orv->Effect(), index, static_cast<float>((real + 1.0) / 2.0));
}

double RealValue(PanelFixture& f, int index)
{
    return f.orv->GetParameter(index).value;
}

}  // namespace

TEST(Panel, ControlsSitWhereTheLayoutPutsThem)
{
    PanelFixture f;
    struct Row {
        Rect rect;
        int paramIdx;
    } const rows[] = {
        {{0, 0, 608, 352}, -1},     {{102, 21, 345, 37}, -1},  {{77, 17, 99, 39}, -15},    {{128, 17, 150, 39}, -16},
        {{352, 18, 392, 34}, -17},  {{457, 22, 541, 36}, -1},  {{407, 17, 457, 39}, -18},  {{16, 72, 272, 328}, -1},
        {{301, 181, 327, 267}, 3},  {{365, 181, 391, 267}, 4}, {{429, 181, 455, 267}, 5},  {{493, 181, 519, 267}, 0},
        {{557, 181, 583, 267}, 11}, {{336, 291, 496, 318}, 6}, {{544, 296, 596, 312}, 10},
    };
    ASSERT_EQ(f.graphics->ControlCount(), static_cast<int>(std::size(rows)));
    EXPECT_EQ(f.graphics->Width(), 608);
    EXPECT_EQ(f.graphics->Height(), 352);
    for (int i = 0; i < f.graphics->ControlCount(); ++i) {
        const Control& control = *f.graphics->GetControl(i);
        EXPECT_EQ(control.GetRect(), rows[i].rect) << "control " << i;
        EXPECT_EQ(control.ParamIdx(), rows[i].paramIdx) << "control " << i;
        EXPECT_EQ(control.GetBlend().method, i == 0 ? kBlendClobber : kBlendNone) << "control " << i;
    }
    EXPECT_EQ(dynamic_cast<TextControl&>(*f.graphics->GetControl(5)).String(), "v.2.0.0.N");

    // A second instance takes its images from the process's cache.
    PanelFixture second;
    for (int i : {0, 2, 3, 6, 14})
        EXPECT_EQ(dynamic_cast<BitmapControl&>(*second.graphics->GetControl(i)).Strip().image,
                  dynamic_cast<BitmapControl&>(*f.graphics->GetControl(i)).Strip().image);
}

TEST(Panel, ClicksLandOnTheControlOnTop)
{
    PanelFixture f;
    f.Dispatch(vst::effSetProgram, 0, 5);
    struct Case {
        int x, y;
        int program;   // afterwards
        size_t menus;  // the program chooser opened
    } const cases[] = {
        {90, 30, 4, 0},   // previous-program button
        {100, 30, 4, 0},  // only the background
        {110, 30, 4, 1},  // the program number: the chooser
        {130, 25, 5, 1},  // the next button, over the read-out's rectangle
    };
    for (const Case& c : cases) {
        f.Click(c.x, c.y);
        EXPECT_EQ(f.orv->CurrentProgram(), c.program) << c.x << "," << c.y;
        EXPECT_EQ(f.graphics->menus.size(), c.menus) << c.x << "," << c.y;
    }
    EXPECT_TRUE(f.graphics->textEntries.empty());

    f.Dispatch(vst::effSetProgram, 0, 0);
    f.Click(90, 30);
    EXPECT_EQ(f.orv->CurrentProgram(), 63);
    f.Click(130, 25);
    EXPECT_EQ(f.orv->CurrentProgram(), 0);
}

TEST(Panel, ProgramChooserSwitchesAndTellsTheHost)
{
    PanelFixture f;
    f.Dispatch(vst::effSetProgram, 0, 17);
    f.host.ClearCalls();
    f.graphics->menuChoices.push_back({2, 5});
    f.Click(110, 30);
    ASSERT_EQ(f.graphics->menus.size(), 1u);
    const std::vector<std::string>& lines = f.graphics->menus[0].lines;
    ASSERT_EQ(lines.size(), 68u);
    EXPECT_EQ(lines[0], "00 - 15");
    EXPECT_EQ(lines[17], "16 - 31");
    EXPECT_EQ(lines[19], "  17: " + std::string(f.orv->GetProgramName(17)).substr(0, 28) + " [checked]");
    EXPECT_EQ(lines[51], "48 - 63");
    EXPECT_EQ(f.graphics->menus[0].rect, (Rect{102, 21, 345, 37}));

    EXPECT_EQ(f.orv->CurrentProgram(), 37);
    EXPECT_EQ(f.host.CountOf(vst::audioMasterUpdateDisplay), 1u);
    EXPECT_EQ(f.host.CountOf(vst::audioMasterAutomate), 12u);

    f.graphics->menuChoices.push_back({});  // closed without a choice
    f.host.ClearCalls();
    f.Click(110, 30);
    EXPECT_EQ(f.orv->CurrentProgram(), 37);
    EXPECT_TRUE(f.host.Calls().empty());
}

TEST(Panel, RenamingInPlaceKeepsWholeCharactersAndNeverEmptiesTheName)
{
    const std::string thirtyA(30, 'a');
    struct Case {
        std::string typed;
        std::string expected;  // "" keeps the old name
    } const cases[] = {
        {"Glass Harp", "Glass Harp"},
        {"", ""},
        {std::string(300, 'x'), std::string(31, 'x')},
        {"ab\xff\xfe"
         "c",
         "ab??c"},
        {thirtyA + "\xc3\xa9", thirtyA},  // the 31-byte cut splits the last character
        {"tab\there", "tab?here"},
    };
    for (const Case& c : cases) {
        PanelFixture f;
        const std::string before = f.orv->GetProgramName(0);
        f.Click(200, 30);
        ASSERT_EQ(f.graphics->textEntries.size(), 1u);
        EXPECT_EQ(f.graphics->textEntries[0].text, before);
        EXPECT_EQ(f.graphics->textEntries[0].rect, (Rect{153, 21, 345, 37}));
        f.graphics->typedText = c.typed;
        f.graphics->TextEntry().EnterPressed();
        f.graphics->OnTimer();
        EXPECT_EQ(f.orv->GetProgramName(0), c.expected.empty() ? before : c.expected) << c.typed;
        EXPECT_EQ(f.host.CountOf(vst::audioMasterUpdateDisplay), 1u);
    }
}

TEST(Panel, LearnSwitchArmsLearningAndTurnsBetweenLearnAndForget)
{
    PanelFixture f;
    auto& learnSwitch = dynamic_cast<OrvSwitchMidiLearn&>(*f.graphics->GetControl(6));
    const MouseModifiers left = LeftButton(), right = RightButton();
    struct Step {
        const MouseModifiers* button;
        double value;
        bool learnMode, armed, forgets;
    } const steps[] = {
        {&left, 1.0, true, true, false},  {&right, 1.0, true, true, false},    // on: right does nothing
        {&left, 0.0, true, false, false}, {&right, 0.0, false, false, false},  // off: forget mode
        {&left, 1.0, false, true, true},  {&left, 0.0, false, false, true},   {&right, 0.0, true, false, true},
    };
    for (const Step& step : steps) {
        f.Click(420, 28, *step.button);
        EXPECT_EQ(learnSwitch.Value(), step.value);
        EXPECT_EQ(learnSwitch.LearnMode(), step.learnMode);
        EXPECT_EQ(f.orv->LearnArmed(), step.armed);
        EXPECT_EQ(f.orv->LearnForgets(), step.forgets);
        EXPECT_EQ(learnSwitch.Strip().image, FindCachedBitmap(step.learnMode ? 108 : 109));
    }

    // A completed learn turns the switch off.
    f.Click(420, 28);
    f.orv->HandleMidiMessage({0, 0xb0, 74, 10});
    f.orv->Effect()->setParameter(f.orv->Effect(), 3, 0.5f);
    EXPECT_EQ(f.orv->ControlMap()[74], 3);
    EXPECT_EQ(learnSwitch.Value(), 0.0);
    EXPECT_FALSE(f.orv->LearnArmed());
}

TEST(Panel, BallsSitOnTheDisc)
{
    PanelFixture f;
    struct Case {
        double x, y;
        int left, top;
    } const cases[] = {
        {0, 0, 132, 188}, {1, 0, 248, 188}, {-1, 0, 16, 188}, {0, 1, 132, 72}, {0, -1, 132, 304}, {1, 1, 214, 105},
    };
    for (const Case& c : cases) {
        Pad(f).SetBallPosition(c.x, c.y, false);
        EXPECT_EQ(Pad(f).Ball1Rect(), (Rect{c.left, c.top, c.left + 28, c.top + 30})) << c.x << "," << c.y;
        SetVariation(f, 8, c.x);
        SetVariation(f, 9, c.y);
        f.orv->IdleTick();
        EXPECT_EQ(Pad(f).Ball2Rect(), (Rect{c.left, c.top, c.left + 28, c.top + 30})) << c.x << "," << c.y;
    }

    // An idle call with nothing changed costs no redraw.
    f.graphics->OnTimer();
    f.orv->IdleTick();
    EXPECT_FALSE(Pad(f).IsDirty());

    // Without an open window the idle calls leave the balls alone.
    f.graphics->CloseEditorWindow();
    const Rect placed = Pad(f).Ball1Rect();
    SetVariation(f, 1, -0.5);
    f.orv->IdleTick();
    EXPECT_EQ(Pad(f).Ball1Rect(), placed);
}

TEST(Panel, DraggingABallSetsItsPairOfValues)
{
    PanelFixture f;
    for (int index : {1, 2, 8, 9})
        SetVariation(f, index, 0.0);
    SetVariation(f, 8, -1.0);
    SetVariation(f, 9, -1.0);
    f.orv->IdleTick();
    ASSERT_EQ(Pad(f).Ball1Rect(), (Rect{132, 188, 160, 218}));
    ASSERT_EQ(Pad(f).Ball2Rect(), (Rect{49, 270, 77, 300}));

    // The first ball to the pad's top right corner: both values 1, drawn on
    // the circle at 45 degrees.
    f.graphics->OnMouseDown(140, 200, LeftButton());
    f.graphics->OnMouseDrag(600, 2, LeftButton());
    f.graphics->OnMouseUp(600, 2, LeftButton());
    EXPECT_DOUBLE_EQ(RealValue(f, 1), 1.0);
    EXPECT_DOUBLE_EQ(RealValue(f, 2), 1.0);
    f.orv->IdleTick();
    EXPECT_EQ(Pad(f).Ball1Rect(), (Rect{214, 105, 242, 135}));

    // The second ball to the middle; the first stays.
    f.graphics->OnMouseDown(55, 280, LeftButton());
    f.graphics->OnMouseDrag(144, 200, LeftButton());
    f.graphics->OnMouseUp(144, 200, LeftButton());
    EXPECT_NEAR(RealValue(f, 8), 0.0, 1e-9);
    EXPECT_NEAR(RealValue(f, 9), 0.0, 1e-9);
    EXPECT_DOUBLE_EQ(RealValue(f, 1), 1.0);
    EXPECT_GE(f.host.CountOf(vst::audioMasterAutomate), 4u);

    // A drag that started on neither ball moves nothing.
    f.graphics->OnMouseDown(200, 150, LeftButton());
    f.graphics->OnMouseDrag(20, 320, LeftButton());
    EXPECT_DOUBLE_EQ(RealValue(f, 1), 1.0);
}

TEST(Panel, ClickingAValueTextNudgesIt)
{
    struct Case {
        int x, y;
        bool right;
        int index;
        double before, after;
    } const cases[] = {
        {250, 300, false, 1, -1.0, -1.0}, {250, 300, true, 1, 0.995, 1.0}, {30, 85, false, 2, 0.0, -0.01},
        {250, 320, true, 8, 0.0, 0.01},   {30, 105, false, 9, 0.5, 0.49},
    };
    for (const Case& c : cases) {
        PanelFixture f;
        SetVariation(f, c.index, c.before);
        f.Click(c.x, c.y, c.right ? RightButton() : LeftButton());
        EXPECT_NEAR(RealValue(f, c.index), c.after, 1e-6) << c.x << "," << c.y;
    }
}

TEST(Panel, HeadlessRenderShowsTheWholePanelAtEveryScale)
{
    PanelFixture f;
    // Asked without a buffer the plug-in tells the size; a buffer of any
    // other size, or a scale it does not draw, is refused.
    const struct {
        float scale;
        int width;
        int height;
    } sizes[] = {{0.0f, 608, 352},   {1.0f, 608, 352},  {1.25f, 760, 440}, {1.5f, 912, 528},
                 {1.75f, 1064, 616}, {2.0f, 1216, 704}, {2.5f, 1520, 880}, {3.0f, 1824, 1056}};
    for (const auto& size : sizes) {
        const intptr_t answer = f.Dispatch(vst::effVendorSpecific, ORV::kSnapshotRequest, 0, nullptr, size.scale);
        EXPECT_EQ(answer, (intptr_t{size.width} << ORV::kSnapshotSizeShift) + size.height) << size.scale;
    }
    for (const float unsupported : {1.1f, 0.5f, 4.0f, -1.0f})
        EXPECT_EQ(f.Dispatch(vst::effVendorSpecific, ORV::kSnapshotRequest, 0, nullptr, unsupported), 0);
    const intptr_t bytes100 = intptr_t{608} * 352 * 4;
    std::vector<uint8_t> pixels(static_cast<size_t>(bytes100));
    EXPECT_EQ(f.Dispatch(vst::effVendorSpecific, ORV::kSnapshotRequest, bytes100 - 1, pixels.data()), 0);
    ASSERT_EQ(f.Dispatch(vst::effVendorSpecific, ORV::kSnapshotRequest, bytes100, pixels.data()), 1);
    // The balls are placed as the open editor places them.
    EXPECT_FALSE(Pad(f).Ball1Rect().IsEmpty());

    // The reference was rendered from the first program of the factory bank.
    std::ifstream file(ORV_PANEL_REFERENCE, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::unique_ptr<RasterMemBitmap> reference = LoadPngFromMemory(bytes.data(), bytes.size());
    ASSERT_NE(reference, nullptr);
    ASSERT_EQ(reference->Width(), 608);
    ASSERT_EQ(reference->Height(), 352);
    const auto channel = [](uint32_t argb, int c) { return static_cast<int>(argb >> (16 - 8 * c) & 0xff); };
    // Text may be drawn a little differently by each system's fonts; the
    // images must be where they were.
    int differing = 0;
    for (int y = 0; y < 352; ++y) {
        for (int x = 0; x < 608; ++x) {
            const uint8_t* got = &pixels[(static_cast<size_t>(y) * 608 + x) * 4];
            for (int c = 0; c < 3; ++c)
                if (std::abs(got[c] - channel(reference->Row(y)[x], c)) > 8) {
                    ++differing;
                    break;
                }
        }
    }
    EXPECT_LT(differing, 608 * 352 / 50) << "pixels unlike the reference";

    // At 200 % the panel is drawn anew, not enlarged: reduced to half its
    // size it looks like the 100 % panel, yet it is no copy of each pixel
    // four times.
    std::vector<uint8_t> large(static_cast<size_t>(1216) * 704 * 4);
    ASSERT_EQ(f.Dispatch(vst::effVendorSpecific, ORV::kSnapshotRequest, static_cast<intptr_t>(large.size()),
                         large.data(), 2.0f),
              1);
    const auto at = [&large](int x, int y, int c) { return large[(static_cast<size_t>(y) * 1216 + x) * 4 + c]; };
    double difference = 0.0;
    int notDoubled = 0;
    for (int y = 0; y < 352; ++y) {
        for (int x = 0; x < 608; ++x) {
            for (int c = 0; c < 3; ++c) {
                const int mean = (at(2 * x, 2 * y, c) + at(2 * x + 1, 2 * y, c) + at(2 * x, 2 * y + 1, c) +
                                  at(2 * x + 1, 2 * y + 1, c) + 2) /
                                 4;
                difference += std::abs(mean - channel(reference->Row(y)[x], c));
                if (at(2 * x, 2 * y, c) != at(2 * x + 1, 2 * y + 1, c))
                    ++notDoubled;
            }
        }
    }
    EXPECT_LT(difference / (608 * 352 * 3), 12.0) << "the 200 % panel reduced is unlike the 100 % panel";
    EXPECT_GT(notDoubled, 608 * 352 / 20) << "the 200 % panel is the 100 % panel enlarged";
    // The editor keeps its own scale.
    EXPECT_EQ(f.graphics->Width(), 608);
}
