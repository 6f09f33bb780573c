// Values between the host and the panel: a control the user moves is an
// edit the host records (begin, automate, end), and a value the host sets
// is shown by the controls bound to it without being sent back.
#include "tests/editor/EditorFixture.h"
#include "tests/instrument/InstrumentFixture.h"

#include "editor/FaderControl.h"
#include "editor/SwitchControl.h"

#include <gtest/gtest.h>

using namespace orv::editor;
using namespace orv::engine;
using namespace orv::framework;
using namespace orv::instrument;
using namespace orv::platform;

using namespace editortest;

namespace {

struct RoutingFixture : EditorFixture {
    RoutingFixture()
    {
        fader = Add(std::make_unique<FaderControl>(&plugin, 301, 181, 86, 3, Strip(26, 16, 1), kFaderVertical));
        morph = Add(std::make_unique<SwitchControl>(&plugin, 544, 296, EditorPlugin::kModeParameter, Strip(52, 16, 4),
                                                    kBlendNone));
        Attach();
        graphics.OnTimer();
    }
    FaderControl* fader;
    SwitchControl* morph;
};

}  // namespace

TEST(Routing, EveryUserEditReachesTheHostBetweenBeginAndEnd)
{
    struct Case {
        const char* name;
        void (*play)(RoutingFixture&);
        std::vector<std::string> edits;
    } cases[] = {
        {"drag",
         [](RoutingFixture& f) {
             f.Press(306, 189);
             f.DragTo(306, 224);
             f.Release(306, 400);
         },
         {"begin 3", "automate 3 1.000", "automate 3 0.500", "end 3"}},
        {"click on a switch",
         [](RoutingFixture& f) {
             f.Press(550, 300);
             f.Release(550, 300);
         },
         {"begin 10", "automate 10 0.333", "end 10"}},
        {"double click: the second release ends nothing",
         [](RoutingFixture& f) {
             f.Press(306, 259);
             f.Release(306, 259);
             f.graphics.OnMouseDblClick(306, 259, LeftButton());
             f.Release(306, 259);
         },
         {"begin 3", "automate 3 0.000", "end 3", "begin 3", "automate 3 0.250", "end 3"}},
        {"a second button during a drag",
         [](RoutingFixture& f) {
             f.Press(306, 189);
             f.Press(550, 300, RightButton());
             f.Release(550, 300);
         },
         {"begin 3", "automate 3 1.000", "end 3", "begin 10", "automate 10 0.333", "end 10"}},
        {"wheel", [](RoutingFixture& f) { f.graphics.OnMouseWheel(306, 200, {}, 120); }, {"automate 3 0.260"}},
    };
    for (const Case& c : cases) {
        RoutingFixture f;
        c.play(f);
        EXPECT_EQ(f.HostEdits(), c.edits) << c.name;
        EXPECT_TRUE(f.fader->IsDirty() || f.morph->IsDirty()) << c.name;
    }
}

TEST(Routing, HostChangesReachTheControlsWithoutComingBack)
{
    RoutingFixture f;
    f.plugin.Effect()->setParameter(f.plugin.Effect(), 3, 0.75f);
    EXPECT_DOUBLE_EQ(f.fader->Value(), 0.75);
    EXPECT_TRUE(f.fader->IsDirty());
    EXPECT_FALSE(f.morph->IsDirty());

    char text[] = "Swing";
    f.plugin.Dispatch(vst::effString2Parameter, EditorPlugin::kModeParameter, 0, text);
    EXPECT_DOUBLE_EQ(f.morph->Value(), 1.0);
    EXPECT_TRUE(f.morph->IsDirty());

    // Out-of-range values from the host are shown at the end of the range.
    f.plugin.Effect()->setParameter(f.plugin.Effect(), 3, 1.5f);
    EXPECT_DOUBLE_EQ(f.fader->Value(), 1.0);
    EXPECT_TRUE(f.HostEdits().empty());
}

TEST(Routing, AuxiliaryParametersTakeTheFirstMatchingEntryOnly)
{
    EditorFixture f;
    auto* control = f.Add(std::make_unique<Control>(&f.plugin, Rect{0, 0, 10, 10}, -1, Blend{}));
    control->AddAuxParameter(1);
    control->AddAuxParameter(2);
    control->AddAuxParameter(1);
    f.Attach();
    f.plugin.PushParameterToControls(1, 0.6, true);
    EXPECT_EQ(control->AuxParameters()[0].value, 0.6);
    EXPECT_EQ(control->AuxParameters()[1].value, EditorPlugin::kDefault);
    EXPECT_EQ(control->AuxParameters()[2].value, 0.0);
    EXPECT_EQ(control->Value(), 0.0) << "unbound: no parameter's value";
}

TEST(Routing, EditorIsOfferedToTheHostOnlyWithAWindow)
{
    for (bool window : {false, true}) {
        EditorFixture f;
        f.graphics.windowAvailable = window;
        f.Attach();
        vst::ERect* rect = nullptr;
        const intptr_t gotRect = f.plugin.Dispatch(vst::effEditGetRect, 0, 0, &rect);
        int parent = 0;
        const intptr_t opened = f.plugin.Dispatch(vst::effEditOpen, 0, 0, &parent);
        const intptr_t closed = f.plugin.Dispatch(vst::effEditClose);
        EXPECT_EQ((f.plugin.Effect()->flags & vst::effFlagsHasEditor) != 0, window);
        EXPECT_EQ(gotRect, window ? 1 : 0);
        EXPECT_EQ(opened, window ? 1 : 0);
        EXPECT_EQ(closed, window ? 1 : 0);
        if (!window)
            continue;
        ASSERT_NE(rect, nullptr);
        EXPECT_EQ(rect->right - rect->left, 608);
        EXPECT_EQ(rect->bottom - rect->top, 352);
        EXPECT_EQ(f.graphics.openedParents, std::vector<void*>{&parent});
        EXPECT_EQ(f.graphics.closeCount, 1);
        EXPECT_EQ(f.plugin.log, (std::vector<std::string>{"editor opened", "editor closed"}));
    }
}

// The instrument itself: its parameters behind the controls.
TEST(Routing, InstrumentParametersMoveWithThePanel)
{
    PrivateSettingsFolder settings;
    hosttest::ScriptedHost host;
    std::unique_ptr<ORV> orv;
    {
        hosttest::ScriptedHost::ConstructionScope scope(host);
        orv = std::make_unique<ORV>(&hosttest::ScriptedHost::Callback);
    }
    host.Adopt(orv->Effect());
    vst::AEffect* effect = orv->Effect();
    effect->dispatcher(effect, vst::effOpen, 0, 0, nullptr, 0.0f);
    constexpr int kVivid = 3;
    Graphics* graphics = orv->EditorGraphics();
    ASSERT_NE(graphics, nullptr);
    EXPECT_EQ((effect->flags & vst::effFlagsHasEditor) != 0, graphics->CanOpenWindow())
        << "the editor is offered exactly when this build has a window for it";
    auto handle = std::make_unique<RasterMemBitmap>(26, 16);
    auto* fader = static_cast<FaderControl*>(graphics->AddControl(std::make_unique<FaderControl>(
        orv.get(), 301, 181, 86, kVivid, BitmapStrip{handle.get(), 26, 16, 1, false}, kFaderVertical)));
    orv->RefreshParameterControls();
    EXPECT_FLOAT_EQ(static_cast<float>(fader->Value()), effect->getParameter(effect, kVivid));

    effect->setParameter(effect, kVivid, 0.125f);
    EXPECT_DOUBLE_EQ(fader->Value(), 0.125);

    host.ClearCalls();
    graphics->OnMouseDown(306, 224, LeftButton());
    graphics->OnMouseUp(306, 224, LeftButton());
    EXPECT_NEAR(effect->getParameter(effect, kVivid), 0.5f, 1e-6);
    const std::vector<int32_t> edits = {vst::audioMasterBeginEdit, vst::audioMasterAutomate, vst::audioMasterEndEdit};
    EXPECT_EQ(host.Opcodes(), edits);
    ASSERT_EQ(host.CallsOf(vst::audioMasterAutomate).size(), 1u);
    EXPECT_EQ(host.CallsOf(vst::audioMasterAutomate)[0].index, kVivid);
    EXPECT_FLOAT_EQ(host.CallsOf(vst::audioMasterAutomate)[0].opt, 0.5f);
    orv.reset();
}
