// Shows one frame of an image strip: with N frames, value 0 shows the first
// and value 1 the last, in N equal steps.
#pragma once

#include "editor/BitmapStrip.h"
#include "editor/Control.h"

namespace orv::editor {

class BitmapControl : public Control {
public:
    // The rectangle is one frame of the strip at (x, y); weight 1.
    BitmapControl(framework::PluginBase* plug, int x, int y, int paramIdx, const BitmapStrip& strip,
                  BlendMethod method);
    // Without an image yet (the panel background): the strip is set later.
    BitmapControl(framework::PluginBase* plug, const Rect& rect, int paramIdx, Blend blend);

    bool Draw(Graphics& graphics) override;

    void SetStrip(const BitmapStrip& newStrip) { strip = newStrip; }
    const BitmapStrip& Strip() const { return strip; }
    // The 1-based frame the current value shows.
    int CurrentFrame() const;

protected:
    BitmapStrip strip;
};

}  // namespace orv::editor
