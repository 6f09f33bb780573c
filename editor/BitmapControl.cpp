#include "editor/BitmapControl.h"

#include "editor/Graphics.h"

#include <algorithm>

namespace orv::editor {

namespace {

Rect FrameRect(int x, int y, const BitmapStrip& strip)
{
    return {x, y, x + strip.FrameWidth(), y + strip.FrameHeight()};
}

}  // namespace

BitmapControl::BitmapControl(framework::PluginBase* plug, int x, int y, int paramIdx, const BitmapStrip& strip,
                             BlendMethod method)
    : Control(plug, FrameRect(x, y, strip), paramIdx, Blend{method, 1.0f}), strip(strip)
{}

BitmapControl::BitmapControl(framework::PluginBase* plug, const Rect& rect, int paramIdx, Blend blend)
    : Control(plug, rect, paramIdx, blend)
{}

int BitmapControl::CurrentFrame() const
{
    const int frames = strip.frames;
    if (frames < 2)
        return 1;
    return std::clamp(static_cast<int>((frames - 1) * value + 0.5) + 1, 1, frames);
}

bool BitmapControl::Draw(Graphics& graphics)
{
    return graphics.DrawStripFrame(strip, rect, CurrentFrame(), blend);
}

}  // namespace orv::editor
