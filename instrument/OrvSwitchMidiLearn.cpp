#include "OrvSwitchMidiLearn.h"

#include "Graphics.h"
#include "OrvPanelLayout.h"
#include "Synth.h"

OrvSwitchMidiLearn::OrvSwitchMidiLearn(Synth* instrument, int x, int y, int paramIdx, const BitmapStrip& learnImages)
    : SwitchControl(instrument, x, y, paramIdx, learnImages, kBlendNone), instrument(instrument)
{}

void OrvSwitchMidiLearn::OnMouseDown(int x, int y, const MouseModifiers& mods)
{
    if (mods.left) {
        SwitchControl::OnMouseDown(x, y, mods);
        if (instrument != nullptr)
            instrument->ArmMidiLearn(value > 0.0, !learnMode);
        return;
    }
    if (!mods.right || value != 0.0)
        return;
    learnMode = !learnMode;
    if (context != nullptr) {
        // The forget images are loaded only once someone asks for them.
        const orvpanel::SkinImage& images = learnMode ? orvpanel::kLearn : orvpanel::kUnlearn;
        strip = context->LoadImageStrip(images.id, images.name, images.frames);
    }
    MarkDirty(true);
}
