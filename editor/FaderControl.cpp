#include "editor/FaderControl.h"

#include "editor/Graphics.h"

namespace orv::editor {

FaderControl::FaderControl(framework::PluginBase* plug, int x, int y, int travel, int paramIdx,
                           const BitmapStrip& handle, FaderDirection direction, bool onlyHandle)
    : Control(plug, Rect{}, paramIdx, Blend{kBlendNone, 1.0f}), travel(travel),
      headroom(direction == kFaderHorizontal ? handle.FrameWidth() : handle.FrameHeight()), handle(handle),
      horizontal(direction), onlyHandle(onlyHandle)
{
    if (direction == kFaderHorizontal)
        SetRect({x, y, x + travel, y + handle.FrameHeight()});
    else
        SetRect({x, y, x + handle.FrameWidth(), y + travel});
}

void FaderControl::OnMouseDown(int x, int y, const MouseModifiers& mods)
{
    if (mods.right)
        OpenValueEditor();
    else
        MoveHandleTo(x, y);
}

void FaderControl::OnMouseDrag(int x, int y, int /*dx*/, int /*dy*/, const MouseModifiers& /*mods*/)
{
    MoveHandleTo(x, y);
}

void FaderControl::OnMouseWheel(int /*x*/, int /*y*/, const MouseModifiers& mods, int d)
{
    value += d * (mods.shift || mods.control ? kFineWheelStep : kWheelStep);
    MarkDirty(true);
}

void FaderControl::MoveHandleTo(int x, int y)
{
    const int span = Span();
    // A handle as long as the track leaves nowhere to move.
    if (span <= 0)
        return;
    const int halfHandle = headroom / 2;
    if (horizontal == kFaderHorizontal)
        value = static_cast<double>(x - rect.left - halfHandle) / span;
    else
        value = 1.0 - static_cast<double>(y - rect.top - halfHandle) / span;
    MarkDirty(true);
}

Rect FaderControl::HandleRect() const
{
    Rect at{rect.left, rect.top, rect.left + handle.FrameWidth(), rect.top + handle.FrameHeight()};
    const int span = Span() > 0 ? Span() : 0;
    if (horizontal == kFaderHorizontal) {
        const int shift = static_cast<int>(span * value);
        at.left += shift;
        at.right += shift;
    } else {
        const int shift = static_cast<int>(span * (1.0 - value));
        at.top += shift;
        at.bottom += shift;
    }
    return at;
}

bool FaderControl::Draw(Graphics& graphics)
{
    return graphics.DrawStripFrame(handle, HandleRect(), 1, blend);
}

bool FaderControl::IsHit(int x, int y) const
{
    return onlyHandle ? HandleRect().Contains(x, y) : Control::IsHit(x, y);
}

}  // namespace orv::editor
