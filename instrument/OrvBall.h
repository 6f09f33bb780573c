// The variation pad: two balls on a disc, each standing for a pair of
// parameters in -1..1 (the first ball "Variation X" / "Variation Y", the
// second "Variation X2" / "Variation Y2"). Either ball can be dragged;
// clicking one of the four value texts nudges its value by 0.01 (left button
// down, right button up). The square of values is drawn on the disc, so the
// corners (+-1, +-1) sit on the circle at 45 degrees.
#pragma once

#include "editor/BitmapStrip.h"
#include "editor/Control.h"

namespace orv::instrument {

class OrvBall : public editor::Control {
public:
    static constexpr double kNudgeStep = 0.01;

    // Where the pad and its value texts are, and how far beyond the pad less
    // one ball the balls travel (the ball image's transparent margin).
    struct Geometry {
        editor::Rect pad;
        editor::Rect xText;
        editor::Rect x2Text;
        editor::Rect yText;
        editor::Rect y2Text;
        int travelSlackX = 0;
        int travelSlackY = 0;
    };

    OrvBall(framework::PluginBase* plug, const Geometry& geometry, const editor::BitmapStrip& ball1,
            const editor::BitmapStrip& ball2, const editor::TextStyle& firstStyle,
            const editor::TextStyle& secondStyle);

    bool Draw(editor::Graphics& graphics) override;
    void OnMouseDown(int x, int y, const editor::MouseModifiers& mods) override;
    void OnMouseUp(int x, int y, const editor::MouseModifiers& mods) override;
    void OnMouseDrag(int x, int y, int dx, int dy, const editor::MouseModifiers& mods) override;

    // Places a ball from its two values (each -1..1): the second ball when
    // second is true, else the first.
    void SetBallPosition(double x, double y, bool second);

    const editor::Rect& Ball1Rect() const { return ball1Rect; }
    const editor::Rect& Ball2Rect() const { return ball2Rect; }
    const editor::Rect& XText() const { return xText; }
    const editor::Rect& YText() const { return yText; }
    const editor::Rect& X2Text() const { return x2Text; }
    const editor::Rect& Y2Text() const { return y2Text; }

private:
    // Sends a value the pad chose for parameter index to the controls and
    // the plug-in.
    void SendValue(int index, double normalised);
    void Nudge(int index, const editor::MouseModifiers& mods);

    struct PlacedValues {
        double x = 0.0;
        double y = 0.0;
    };

    editor::BitmapStrip ball1;
    editor::BitmapStrip ball2;
    editor::Rect ball1Rect;  // empty until the ball is first placed
    editor::Rect ball2Rect;
    PlacedValues placed1;  // the values each ball was last placed from
    PlacedValues placed2;
    editor::Rect xText;
    editor::Rect x2Text;
    editor::Rect yText;
    editor::Rect y2Text;
    int travelSlackX;
    int travelSlackY;
    editor::TextStyle secondStyle;
    bool dragBall1 = false;
    bool dragBall2 = false;
};

}  // namespace orv::instrument
