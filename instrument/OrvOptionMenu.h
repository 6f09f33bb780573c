// The option menu button: a menu of program, bank, startup-bank,
// configuration, MIDI and online actions, built afresh on every click. The
// button's face is part of the background; the control draws nothing.
#pragma once

#include "editor/Control.h"

namespace orv::editor {
class PopupMenu;
}  // namespace orv::editor

namespace orv::instrument {

class Synth;

class OrvOptionMenu : public editor::Control {
public:
    OrvOptionMenu(Synth* instrument, const editor::Rect& rect, int paramIdx);

    bool Draw(editor::Graphics& graphics) override;
    void OnMouseDown(int x, int y, const editor::MouseModifiers& mods) override;

    // The menu as it stands for the instrument's state now.
    static void BuildMenu(const Synth& instrument, editor::PopupMenu& menu);

private:
    Synth* instrument = nullptr;
};

}  // namespace orv::instrument
