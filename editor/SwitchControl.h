// A bitmap control that steps to its next frame on every click and wraps
// from the last frame to the first.
#pragma once

#include "editor/BitmapControl.h"

namespace orv::editor {

class SwitchControl : public BitmapControl {
public:
    using BitmapControl::BitmapControl;

    void OnMouseDown(int x, int y, const MouseModifiers& mods) override;
    // A double click is a second press.
    void OnMouseDblClick(int x, int y, const MouseModifiers& mods) override;
};

}  // namespace orv::editor
