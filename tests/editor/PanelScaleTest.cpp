// ORV's panel at the screen's scale: chosen by the user in the option menu,
// else by the host's content scale request, else by the system where the
// editor opens; the whole panel, its controls and the host's idea of its
// size follow.
#include "tests/editor/PanelFixture.h"

#include "engine/EngineParameters.h"
#include "platform/ProfileIni.h"

#include <gtest/gtest.h>

using namespace orv::editor;
using namespace orv::engine;
using namespace orv::framework;
using namespace orv::instrument;
using namespace orv::platform;

using namespace editortest;

namespace {

const std::vector<int> kPanelSizeAutomatic{20, 0}, kPanelSize150{20, 3}, kPanelSize200{20, 5}, kReload{15};

intptr_t HostScale(PanelFixture& f, float scale)
{
    return f.Dispatch(vst::effVendorSpecific, ORV::kHostScaleRequest, ORV::kHostScaleValue, nullptr, scale);
}

// The editor's size as the host asks for it.
std::pair<int, int> EditorRect(PanelFixture& f)
{
    vst::ERect* rect = nullptr;
    EXPECT_EQ(f.Dispatch(vst::effEditGetRect, 0, 0, &rect), 1);
    return rect != nullptr ? std::pair<int, int>{rect->right - rect->left, rect->bottom - rect->top}
                           : std::pair<int, int>{};
}

// Drags the Vivid fader's handle down from the top of its travel, at
// 100 % coordinates times the scale, and tells whether Vivid went down.
bool DragVividDown(PanelFixture& f, double scale)
{
    f.orv->Effect()->setParameter(f.orv->Effect(), kVivid, 1.0f);
    const auto at = [scale](int v) { return static_cast<int>(v * scale); };
    f.graphics->OnMouseDown(at(314), at(189), LeftButton());
    f.graphics->OnMouseDrag(at(314), at(230), LeftButton());
    f.graphics->OnMouseUp(at(314), at(230), LeftButton());
    return f.orv->GetParameter(kVivid).value < 0.9;
}

}  // namespace

TEST(PanelScale, TheHostsContentScaleSizesThePanelAndWhereItsControlsAre)
{
    PanelFixture f;
    const struct {
        float hostScale;
        int width;
        int height;
        double drawnAt;
    } cases[] = {{2.0f, 1216, 704, 2.0},  {1.25f, 760, 440, 1.25}, {1.6f, 912, 528, 1.5},
                 {3.5f, 1824, 1056, 3.0}, {0.8f, 608, 352, 1.0},   {1.0f, 608, 352, 1.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hostScale);
        EXPECT_EQ(HostScale(f, c.hostScale), 1);
        EXPECT_EQ(EditorRect(f), std::make_pair(c.width, c.height));
        EXPECT_EQ(f.graphics->DrawBitmap()->Width(), c.width);
        EXPECT_TRUE(DragVividDown(f, c.drawnAt));
    }
    // A request without a usable factor changes nothing.
    HostScale(f, 2.0f);
    for (const float nonsense : {0.0f, -2.0f, std::numeric_limits<float>::quiet_NaN()})
        EXPECT_EQ(HostScale(f, nonsense), 1);
    EXPECT_EQ(EditorRect(f), std::make_pair(1216, 704));
}

TEST(PanelScale, TheUsersPanelSizeComesFirstAndIsKeptInTheSettings)
{
    PanelFixture f;
    f.orv->ArmMidiLearn(true, true);
    HostScale(f, 2.5f);
    EXPECT_EQ(EditorRect(f), std::make_pair(1520, 880));

    // Chosen in the menu, laid out once the menu's click is over.
    f.ChooseOption(kPanelSize150);
    EXPECT_EQ(EditorRect(f), std::make_pair(1520, 880));
    f.Dispatch(vst::effEditIdle);
    EXPECT_EQ(EditorRect(f), std::make_pair(912, 528));
    EXPECT_TRUE(f.orv->LearnArmed()) << "learning stays armed across the new panel";
    f.orv->ArmMidiLearn(false, false);
    EXPECT_TRUE(DragVividDown(f, 1.5));
    HostScale(f, 2.0f);
    EXPECT_EQ(EditorRect(f), std::make_pair(912, 528)) << "the user's size beats the host's";
    f.ClickOptionMenu();
    const std::vector<std::string>& lines = f.graphics->menus.back().lines;
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 8, lines.end()),
              (std::vector<std::string>{"  Automatic", "  100%", "  125%", "  150% [checked]", "  175%", "  200%",
                                        "  250%", "  300%"}));
    EXPECT_EQ(orv::platform::ReadProfileString(f.orv->IniPath(), "Global", "Panel Size", "", 64), "150");

    // The settings file is where the size lives: reloading it applies it.
    orv::platform::WriteProfileString(f.orv->IniPath(), "Global", "Panel Size", "200");
    f.graphics->messageAnswers.push_back(kAnswerYes);
    f.ChooseOption(kReload);
    f.Dispatch(vst::effEditIdle);
    EXPECT_EQ(EditorRect(f), std::make_pair(1216, 704));

    f.ChooseOption(kPanelSizeAutomatic);
    f.Dispatch(vst::effEditIdle);
    EXPECT_EQ(EditorRect(f), std::make_pair(1216, 704)) << "automatic: the host's 2.0";
    EXPECT_EQ(orv::platform::ReadProfileString(f.orv->IniPath(), "Global", "Panel Size", "", 64), "Automatic");
}

TEST(PanelScale, TheSystemsScaleSizesTheEditorBeforeItOpensAndTheHostIsAskedForRoomLater)
{
    PanelFixture f;
    f.graphics->CloseEditorWindow();
    f.graphics->systemScale = 1.75;
    ASSERT_EQ(f.Dispatch(vst::effEditOpen, 0, 0, f.graphics), 1);
    EXPECT_EQ(EditorRect(f), std::make_pair(1064, 616));
    EXPECT_EQ(f.host.CountOf(vst::audioMasterSizeWindow), 0u) << "sized before the window was made";

    // While the window is open a new scale waits for the next idle call.
    EXPECT_EQ(HostScale(f, 2.0f), 1);
    EXPECT_EQ(EditorRect(f), std::make_pair(1064, 616));
    f.Dispatch(vst::effEditIdle);
    EXPECT_EQ(EditorRect(f), std::make_pair(1216, 704));
    const auto resizes = f.host.CallsOf(vst::audioMasterSizeWindow);
    ASSERT_EQ(resizes.size(), 1u);
    EXPECT_EQ(resizes[0].index, 1216);
    EXPECT_EQ(resizes[0].value, 704);
    f.Dispatch(vst::effEditClose);
}
