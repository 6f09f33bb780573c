// A momentary button: a press shows the pressed frame like a switch, the
// release returns it to the first frame.
#pragma once

#include "editor/SwitchControl.h"

namespace orv::editor {

class ContactControl : public SwitchControl {
public:
    using SwitchControl::SwitchControl;

    void OnMouseUp(int x, int y, const MouseModifiers& mods) override;
};

}  // namespace orv::editor
