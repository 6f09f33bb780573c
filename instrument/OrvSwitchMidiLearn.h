// The MIDI learn switch. Left click switches learning on (arms it) or off;
// while it is off a right click turns it between learning bindings and
// forgetting them, each mode with its own images. The instrument turns it
// off when a learn completes.
#pragma once

#include "editor/SwitchControl.h"

namespace orv::instrument {

class Synth;

class OrvSwitchMidiLearn : public editor::SwitchControl {
public:
    OrvSwitchMidiLearn(Synth* instrument, int x, int y, int paramIdx, const editor::BitmapStrip& learnImages);

    void OnMouseDown(int x, int y, const editor::MouseModifiers& mods) override;

    // True while it learns bindings, false while it forgets them.
    bool LearnMode() const { return learnMode; }
    // Shows learning as armed, to learn bindings or to forget them (a new
    // panel taking over the state of the one it replaces).
    void ShowArmed(bool forget);

private:
    void LoadModeImages();

    Synth* instrument = nullptr;
    bool learnMode = true;
};

}  // namespace orv::instrument
