#include "instrument/OrvSwitchMidiLearn.h"

#include "editor/Graphics.h"
#include "instrument/OrvPanelLayout.h"
#include "instrument/Synth.h"

namespace orv::instrument {

OrvSwitchMidiLearn::OrvSwitchMidiLearn(Synth* instrument, int x, int y, int paramIdx,
                                       const editor::BitmapStrip& learnImages)
    : editor::SwitchControl(instrument, x, y, paramIdx, learnImages, editor::kBlendNone), instrument(instrument)
{}

void OrvSwitchMidiLearn::OnMouseDown(int x, int y, const editor::MouseModifiers& mods)
{
    if (mods.left) {
        editor::SwitchControl::OnMouseDown(x, y, mods);
        if (instrument != nullptr)
            instrument->ArmMidiLearn(value > 0.0, !learnMode);
        return;
    }
    if (!mods.right || value != 0.0)
        return;
    learnMode = !learnMode;
    LoadModeImages();
    MarkDirty(true);
}

void OrvSwitchMidiLearn::ShowArmed(bool forget)
{
    if (learnMode == forget) {
        learnMode = !forget;
        LoadModeImages();
    }
    SetValueFromParameter(1.0);
    MarkDirty(false);
}

void OrvSwitchMidiLearn::LoadModeImages()
{
    if (context == nullptr)
        return;
    // The forget images are loaded only once someone asks for them.
    const orvpanel::SkinImage& images = learnMode ? orvpanel::kLearnImage : orvpanel::kUnlearnImage;
    const orvpanel::PanelAtScale panel(orvpanel::ScaleIndexFor(context->Scale().factor));
    strip = context->LoadImageStrip(panel.ImageId(images), panel.ImageName(images).c_str(), images.frames);
}

}  // namespace orv::instrument
