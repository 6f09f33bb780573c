// ORV's panel: the background, then every control in drawing order.
#include "instrument/ORV.h"

#include "editor/FaderControl.h"
#include "editor/Graphics.h"
#include "editor/SwitchControl.h"
#include "editor/TextControl.h"
#include "engine/EngineParameters.h"
#include "instrument/OrvBall.h"
#include "instrument/OrvOptionMenu.h"
#include "instrument/OrvPanelLayout.h"
#include "instrument/OrvPresetMenu.h"
#include "instrument/OrvSwitchMidiLearn.h"
#include "instrument/OrvUtilityKick.h"
#include "instrument/ProductSite.h"

#include <cstring>
#include <string>

namespace orv::instrument {

using namespace orvpanel;

namespace {

editor::TextStyle PanelTextStyle(int height, uint32_t colour, int quality)
{
    editor::TextStyle style;
    std::strncpy(style.face, "Arial", sizeof style.face - 1);
    style.height = height;
    style.colour = colour;
    style.entryBackground = 0xffffffff;
    style.entryForeground = 0xff000000;
    style.style = editor::kTextNormal;
    style.alignment = editor::kTextAlignCentre;
    style.orientation = 0;
    style.quality = quality;
    return style;
}

constexpr uint32_t kVersionTextColour = 0x80ffffff;
constexpr uint32_t kProgramTextColour = 0xe0ffffff;
constexpr uint32_t kFirstBallTextColour = 0xa0ffffff;
constexpr uint32_t kSecondBallTextColour = 0x60ffffff;

// An image that cannot be loaded leaves its control in place, drawing
// nothing, rather than shrinking it to nothing.
editor::BitmapStrip Load(editor::Graphics& graphics, const PanelAtScale& panel, const SkinImage& image)
{
    editor::BitmapStrip strip =
        graphics.LoadImageStrip(panel.ImageId(image), panel.ImageName(image).c_str(), image.frames);
    if (strip.image == nullptr) {
        strip.width = panel.Pixels(image.frameWidth);
        strip.height = image.frames * panel.Pixels(image.frameHeight);
    }
    return strip;
}

}  // namespace

void ORV::CreateEditorLayout()
{
    LayOutPanel(ChosenScaleIndex());
    RefreshParameterControls();
}

void ORV::LayOutPanel(int scaleIndex)
{
    editor::Graphics* context = EditorGraphics();
    if (context == nullptr)
        return;
    editor::Graphics& graphics = *context;
    const PanelAtScale panel(scaleIndex);
    panelScaleIndex = panel.ScaleIndex();
    relayoutPending = false;
    graphics.Resize(panel.Width(), panel.Height());
    graphics.SetScale(panel.Scale());
    graphics.SetHandleMouseOver(false);
    graphics.SetBackground(panel.ImageId(kBackgroundImage), panel.ImageName(kBackgroundImage).c_str());

    const editor::BitmapStrip previous = Load(graphics, panel, kPreviousButtonImage);
    const editor::BitmapStrip next = Load(graphics, panel, kNextButtonImage);
    const editor::BitmapStrip verticalHandle = Load(graphics, panel, kHandleVerticalImage);
    const editor::BitmapStrip horizontalHandle = Load(graphics, panel, kHandleHorizontalImage);
    const editor::BitmapStrip learn = Load(graphics, panel, kLearnImage);
    const editor::BitmapStrip morphMode = Load(graphics, panel, kMorphModeImage);
    const int padTextHeight = panel.Pixels(kPadTextHeight);

    presetMenu = static_cast<OrvPresetMenu*>(graphics.AddControl(std::make_unique<OrvPresetMenu>(
        this, panel.Pixels(kNumberBox), panel.Pixels(kNameBox),
        PanelTextStyle(panel.Pixels(kProgramTextHeight), kProgramTextColour, editor::kTextQualityDefault))));
    graphics.AddControl(std::make_unique<OrvUtilityKick>(this, panel.Pixels(kPreviousButton.x),
                                                         panel.Pixels(kPreviousButton.y), kPreviousProgram, previous));
    graphics.AddControl(std::make_unique<OrvUtilityKick>(this, panel.Pixels(kNextButton.x), panel.Pixels(kNextButton.y),
                                                         kNextProgram, next));
    graphics.AddControl(std::make_unique<OrvOptionMenu>(this, panel.Pixels(kOptionMenuButton), kOptionMenu));
    graphics.AddControl(std::make_unique<editor::TextControl>(
        this, panel.Pixels(kVersionBox),
        PanelTextStyle(panel.Pixels(kVersionTextHeight), kVersionTextColour, editor::kTextQualityDefault),
        std::string("v.") + kProductVersionText + ".N"));
    learnArmed = false;
    learnForget = false;
    learnSwitch = graphics.AddControl(std::make_unique<OrvSwitchMidiLearn>(
        this, panel.Pixels(kLearnSwitch.x), panel.Pixels(kLearnSwitch.y), kMidiLearn, learn));
    const OrvBall::Geometry padGeometry{panel.Pixels(kPad),
                                        panel.Pixels(kPadXText),
                                        panel.Pixels(kPadX2Text),
                                        panel.Pixels(kPadYText),
                                        panel.Pixels(kPadY2Text),
                                        panel.Pixels(kPadTravelSlackX),
                                        panel.Pixels(kPadTravelSlackY)};
    pad = static_cast<OrvBall*>(graphics.AddControl(std::make_unique<OrvBall>(
        this, padGeometry, Load(graphics, panel, kBallImage), Load(graphics, panel, kBall2Image),
        PanelTextStyle(padTextHeight, kFirstBallTextColour, editor::kTextQualityClearType),
        PanelTextStyle(padTextHeight, kSecondBallTextColour, editor::kTextQualityClearType))));

    struct VerticalFader {
        int x;
        int parameter;
    } const verticalFaders[] = {{kVividX, engine::kVivid},
                                {kAirX, engine::kAir},
                                {kReleaseX, engine::kRelease},
                                {kVolumeX, engine::kVolume},
                                {kMorphRateX, engine::kMorphRate}};
    for (const VerticalFader& fader : verticalFaders)
        graphics.AddControl(std::make_unique<editor::FaderControl>(
            this, panel.Pixels(fader.x), panel.Pixels(kVerticalFaderTop), panel.Pixels(kVerticalTravel),
            fader.parameter, verticalHandle, editor::kFaderVertical));
    graphics.AddControl(std::make_unique<editor::FaderControl>(
        this, panel.Pixels(kEnvelopeFader.x), panel.Pixels(kEnvelopeFader.y), panel.Pixels(kHorizontalTravel),
        engine::kEnvelope, horizontalHandle, editor::kFaderHorizontal));
    graphics.AddControl(std::make_unique<editor::SwitchControl>(this, panel.Pixels(kMorphModeSwitch.x),
                                                                panel.Pixels(kMorphModeSwitch.y), engine::kMorphMode,
                                                                morphMode, editor::kBlendNone));
}

void ORV::RefreshParameterControls()
{
    Synth::RefreshParameterControls();
    if (presetMenu != nullptr)
        presetMenu->MarkDirty(false);
}

void ORV::ForgetEditorControls()
{
    Synth::ForgetEditorControls();
    presetMenu = nullptr;
    pad = nullptr;
}

}  // namespace orv::instrument
