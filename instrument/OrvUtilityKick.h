// The previous- and next-program buttons: momentary, they step the program
// on release, wrapping from 0 to 63 and from 63 to 0.
#pragma once

#include "editor/ContactControl.h"

namespace orv::instrument {

class Synth;

class OrvUtilityKick : public editor::ContactControl {
public:
    // paramIdx is orvpanel::kPreviousProgram or kNextProgram.
    OrvUtilityKick(Synth* instrument, int x, int y, int paramIdx, const editor::BitmapStrip& strip);

    void OnMouseUp(int x, int y, const editor::MouseModifiers& mods) override;

private:
    Synth* instrument = nullptr;
};

}  // namespace orv::instrument
