#include "editor/SwitchControl.h"

namespace orv::editor {

namespace {

// Past the last frame by more than rounding error: wrap to the first.
constexpr double kWrapThreshold = 1.001;

}  // namespace

void SwitchControl::OnMouseDown(int /*x*/, int /*y*/, const MouseModifiers& /*mods*/)
{
    value += strip.frames < 2 ? 1.0 : 1.0 / (strip.frames - 1);
    if (value > kWrapThreshold)
        value = 0.0;
    MarkDirty(true);
}

void SwitchControl::OnMouseDblClick(int x, int y, const MouseModifiers& mods)
{
    OnMouseDown(x, y, mods);
}

}  // namespace orv::editor
