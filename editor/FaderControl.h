// A handle image sliding along a straight track. The handle's centre follows
// the pointer; a vertical fader has its top at value 1, a horizontal one its
// left end at value 0. The track's usable length (span) is the travel less
// the handle's own length (headroom).
#pragma once

#include "editor/BitmapStrip.h"
#include "editor/Control.h"

namespace orv::editor {

enum FaderDirection : int { kFaderVertical = 0, kFaderHorizontal = 1 };

class FaderControl : public Control {
public:
    static constexpr double kWheelStep = 0.01;
    static constexpr double kFineWheelStep = 0.001;  // with shift or control held

    FaderControl(framework::PluginBase* plug, int x, int y, int travel, int paramIdx, const BitmapStrip& handle,
                 FaderDirection direction, bool onlyHandle = false);

    void OnMouseDown(int x, int y, const MouseModifiers& mods) override;
    void OnMouseDrag(int x, int y, int dx, int dy, const MouseModifiers& mods) override;
    void OnMouseWheel(int x, int y, const MouseModifiers& mods, int d) override;
    bool Draw(Graphics& graphics) override;
    bool IsHit(int x, int y) const override;
    // Puts the handle's centre at the pointer and sends the value.
    virtual void MoveHandleTo(int x, int y);

    // Where the handle is drawn for the current value.
    Rect HandleRect() const;
    int Travel() const { return travel; }
    int Headroom() const { return headroom; }

private:
    int Span() const { return travel - headroom; }

    int travel = 0;
    int headroom = 0;
    BitmapStrip handle;
    FaderDirection horizontal = kFaderVertical;
    bool onlyHandle = false;
};

}  // namespace orv::editor
