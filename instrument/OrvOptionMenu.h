// The option menu button: a menu of program, bank, startup-bank,
// configuration, MIDI and online actions, built afresh on every click. The
// button's face is part of the background; the control draws nothing.
#pragma once

#include "editor/Control.h"

class PopupMenu;
class Synth;

class OrvOptionMenu : public Control {
public:
    OrvOptionMenu(Synth* instrument, const Rect& rect, int paramIdx);

    bool Draw(Graphics& graphics) override;
    void OnMouseDown(int x, int y, const MouseModifiers& mods) override;

    // The menu as it stands for the instrument's state now.
    static void BuildMenu(const Synth& instrument, PopupMenu& menu);

private:
    Synth* instrument = nullptr;
};
