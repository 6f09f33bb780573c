#include "instrument/OrvBall.h"

#include "editor/Graphics.h"
#include "engine/EngineParameters.h"
#include "framework/PluginBase.h"

#include <algorithm>
#include <cmath>

namespace orv::instrument {

namespace {

constexpr size_t kValueTextCapacity = 32;

// A value of a ball's parameter as the disc takes it: -1..1, a value that is
// not a number at the centre.
double DiscValue(double v)
{
    return std::isfinite(v) ? std::clamp(v, -1.0, 1.0) : 0.0;
}

}  // namespace

OrvBall::OrvBall(framework::PluginBase* plug, const Geometry& geometry, const editor::BitmapStrip& ball1,
                 const editor::BitmapStrip& ball2, const editor::TextStyle& firstStyle,
                 const editor::TextStyle& secondStyle)
    : editor::Control(plug, geometry.pad, -1, editor::Blend{editor::kBlendNone, 1.0f}), ball1(ball1), ball2(ball2),
      xText(geometry.xText), x2Text(geometry.x2Text), yText(geometry.yText), y2Text(geometry.y2Text),
      travelSlackX(geometry.travelSlackX), travelSlackY(geometry.travelSlackY), secondStyle(secondStyle)
{
    text = firstStyle;
}

void OrvBall::SetBallPosition(double x, double y, bool second)
{
    x = DiscValue(x);
    y = DiscValue(y);
    // Both balls take the first ball's size.
    const int w = ball1.FrameWidth();
    const int h = ball1.FrameHeight();
    const int px = static_cast<int>(
                       std::floor((x * std::sqrt(1.0 - y * y / 2.0) + 1.0) * 0.5 * (rect.Width() - w + travelSlackX))) +
                   rect.left;
    const int py = static_cast<int>(std::floor((rect.Height() - h + travelSlackY) *
                                               (1.0 - (y * std::sqrt(1.0 - x * x / 2.0) + 1.0) * 0.5))) +
                   rect.top;
    const editor::Rect placed{px, py, px + w, py + h};
    editor::Rect& ballRect = second ? ball2Rect : ball1Rect;
    PlacedValues& last = second ? placed2 : placed1;
    // Idle calls come many times a second: an unchanged pad is not redrawn
    // (its value texts follow the same values).
    if (placed == ballRect && last.x == x && last.y == y)
        return;
    ballRect = placed;
    last = {x, y};
    MarkDirty(true);
}

bool OrvBall::Draw(editor::Graphics& graphics)
{
    if (plug != nullptr) {
        struct ValueText {
            int index;
            const editor::Rect* box;
            editor::TextStyle* style;
        } const texts[] = {{engine::kVariationX, &xText, &text},
                           {engine::kVariationY, &yText, &text},
                           {engine::kVariationX2, &x2Text, &secondStyle},
                           {engine::kVariationY2, &y2Text, &secondStyle}};
        for (const ValueText& entry : texts) {
            if (!plug->IsValidParameter(entry.index))
                continue;
            const framework::Parameter& parameter = plug->GetParameter(entry.index);
            char shown[kValueTextCapacity] = {};
            parameter.FormatDisplay(parameter.value, false, shown, sizeof shown, true);
            editor::Rect box = *entry.box;
            if (shown[0] != '\0' && !graphics.DrawStyledText(*entry.style, shown, box, false))
                return false;
        }
    }
    // The first ball lies on top where the two meet.
    const editor::Blend withAlpha{editor::kBlendNone, 1.0f};
    if (!ball2Rect.IsEmpty() && !graphics.DrawStripFrame(ball2, ball2Rect, 1, withAlpha))
        return false;
    return ball1Rect.IsEmpty() || graphics.DrawStripFrame(ball1, ball1Rect, 1, withAlpha);
}

void OrvBall::OnMouseDown(int x, int y, const editor::MouseModifiers& mods)
{
    dragBall1 = ball1Rect.Contains(x, y);
    dragBall2 = !dragBall1 && ball2Rect.Contains(x, y);
    if (dragBall1 || dragBall2)
        return;
    const struct {
        const editor::Rect* box;
        int index;
    } texts[] = {{&xText, engine::kVariationX},
                 {&yText, engine::kVariationY},
                 {&x2Text, engine::kVariationX2},
                 {&y2Text, engine::kVariationY2}};
    for (const auto& entry : texts) {
        if (entry.box->Contains(x, y)) {
            Nudge(entry.index, mods);
            return;
        }
    }
}

void OrvBall::Nudge(int index, const editor::MouseModifiers& mods)
{
    if (plug == nullptr || !plug->IsValidParameter(index))
        return;
    const framework::Parameter& parameter = plug->GetParameter(index);
    double v = parameter.value;
    if (mods.left)
        v -= kNudgeStep;
    else if (mods.right)
        v += kNudgeStep;
    v = std::clamp(std::clamp(v, -1.0, 1.0), parameter.minimum, parameter.maximum);
    SendValue(index, parameter.GetNormalised(v));
}

void OrvBall::OnMouseUp(int /*x*/, int /*y*/, const editor::MouseModifiers& /*mods*/)
{
    dragBall1 = false;
    dragBall2 = false;
}

void OrvBall::OnMouseDrag(int x, int y, int /*dx*/, int /*dy*/, const editor::MouseModifiers& /*mods*/)
{
    if (!dragBall1 && !dragBall2)
        return;
    const editor::Rect& area = TargetRect();
    x = std::clamp(x, area.left, area.right);
    y = std::clamp(y, area.top, area.bottom);
    const double vx = static_cast<double>(x - rect.left) / rect.Width();
    const double vy = static_cast<double>(rect.bottom - y) / rect.Height();
    SendValue(dragBall2 ? engine::kVariationX2 : engine::kVariationX, vx);
    SendValue(dragBall2 ? engine::kVariationY2 : engine::kVariationY, vy);
}

void OrvBall::SendValue(int index, double normalised)
{
    if (context != nullptr)
        context->SetControlsFromEditor(index, normalised);
    if (plug != nullptr)
        plug->SetParameterFromEditor(index, normalised);
}

}  // namespace orv::instrument
