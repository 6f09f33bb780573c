// ORV's panel: the background, then every control in drawing order.
#include "ORV.h"

#include "EngineParameters.h"
#include "FaderControl.h"
#include "Graphics.h"
#include "OrvBall.h"
#include "OrvOptionMenu.h"
#include "OrvPanelLayout.h"
#include "OrvPresetMenu.h"
#include "OrvSwitchMidiLearn.h"
#include "OrvUtilityKick.h"
#include "ProductSite.h"
#include "SwitchControl.h"
#include "TextControl.h"

#include <cstring>
#include <string>

using namespace orvpanel;

namespace {

TextStyle PanelTextStyle(int height, uint32_t colour, int quality)
{
    TextStyle style;
    std::strncpy(style.face, "Arial", sizeof style.face - 1);
    style.height = height;
    style.colour = colour;
    style.entryBackground = 0xffffffff;
    style.entryForeground = 0xff000000;
    style.style = kTextNormal;
    style.alignment = kTextAlignCentre;
    style.orientation = 0;
    style.quality = quality;
    return style;
}

const TextStyle& VersionTextStyle()
{
    static const TextStyle style = PanelTextStyle(13, 0x80ffffff, kTextQualityDefault);
    return style;
}

const TextStyle& ProgramTextStyle()
{
    static const TextStyle style = PanelTextStyle(14, 0xe0ffffff, kTextQualityDefault);
    return style;
}

const TextStyle& FirstBallTextStyle()
{
    static const TextStyle style = PanelTextStyle(14, 0xa0ffffff, kTextQualityClearType);
    return style;
}

const TextStyle& SecondBallTextStyle()
{
    static const TextStyle style = PanelTextStyle(14, 0x60ffffff, kTextQualityClearType);
    return style;
}

// An image that cannot be loaded leaves its control in place, drawing
// nothing, rather than shrinking it to nothing.
BitmapStrip Load(Graphics& graphics, const SkinImage& image)
{
    BitmapStrip strip = graphics.LoadImageStrip(image.id, image.name, image.frames);
    if (strip.image == nullptr) {
        strip.width = image.width;
        strip.height = image.height;
    }
    return strip;
}

}  // namespace

void ORV::CreateEditorLayout()
{
    Graphics* context = EditorGraphics();
    if (context == nullptr)
        return;
    Graphics& graphics = *context;
    graphics.Resize(Graphics::kPanelWidth, Graphics::kPanelHeight);
    graphics.SetHandleMouseOver(false);
    graphics.SetBackground(kBackground.id, kBackground.name);

    const BitmapStrip previous = Load(graphics, kPreviousButton);
    const BitmapStrip next = Load(graphics, kNextButton);
    const BitmapStrip verticalHandle = Load(graphics, kHandleVertical);
    const BitmapStrip horizontalHandle = Load(graphics, kHandleHorizontal);
    const BitmapStrip learn = Load(graphics, kLearn);
    const BitmapStrip morphMode = Load(graphics, kMorphModeSwitch);

    presetMenu = static_cast<OrvPresetMenu*>(
        graphics.AddControl(std::make_unique<OrvPresetMenu>(this, kNumberBox, kNameBox, ProgramTextStyle())));
    graphics.AddControl(
        std::make_unique<OrvUtilityKick>(this, kPreviousButtonX, kPreviousButtonY, kPreviousProgram, previous));
    graphics.AddControl(std::make_unique<OrvUtilityKick>(this, kNextButtonX, kNextButtonY, kNextProgram, next));
    graphics.AddControl(std::make_unique<OrvOptionMenu>(this, kOptionMenuButton, kOptionMenu));
    graphics.AddControl(std::make_unique<TextControl>(this, kVersionBox, VersionTextStyle(),
                                                      std::string("v.") + kProductVersionText + ".N"));
    learnArmed = false;
    learnForget = false;
    learnSwitch = graphics.AddControl(
        std::make_unique<OrvSwitchMidiLearn>(this, kLearnSwitchX, kLearnSwitchY, kMidiLearn, learn));
    pad = static_cast<OrvBall*>(graphics.AddControl(std::make_unique<OrvBall>(
        this, kPad, Load(graphics, kBall), Load(graphics, kBall2), FirstBallTextStyle(), SecondBallTextStyle())));

    struct VerticalFader {
        int x;
        int parameter;
    } const verticalFaders[] = {
        {kVividX, kVivid}, {kAirX, kAir}, {kReleaseX, kRelease}, {kVolumeX, kVolume}, {kMorphRateX, kMorphRate}};
    for (const VerticalFader& fader : verticalFaders)
        graphics.AddControl(std::make_unique<FaderControl>(this, fader.x, kVerticalFaderTop, kVerticalTravel,
                                                           fader.parameter, verticalHandle, kFaderVertical));
    graphics.AddControl(std::make_unique<FaderControl>(this, kEnvelopeX, kEnvelopeY, kHorizontalTravel, kEnvelope,
                                                       horizontalHandle, kFaderHorizontal));
    graphics.AddControl(
        std::make_unique<SwitchControl>(this, kMorphModeX, kMorphModeY, kMorphMode, morphMode, kBlendNone));

    RefreshParameterControls();
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
