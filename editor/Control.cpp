#include "editor/Control.h"

#include "editor/Graphics.h"
#include "editor/TextControl.h"
#include "framework/PluginBase.h"

#include <cmath>
#include <string>

namespace orv::editor {

namespace {

constexpr float kGreyedWeight = 0.25f;
constexpr int kValueBoxHalfWidth = 20;  // the text box of the value editor
constexpr int kValueBoxHalfHeight = 8;
constexpr size_t kDisplayPartSize = 32;  // each part of a linked display's text

std::string DisplayPart(const char* text)
{
    std::string part(text);
    if (part.size() > kDisplayPartSize)
        part.resize(kDisplayPartSize);
    return part;
}

}  // namespace

Control::Control(framework::PluginBase* plug, const Rect& rect, int paramIdx, Blend blend)
    : plug(plug), rect(rect), targetRect(rect), paramIdx(paramIdx), blend(blend)
{}

Control::~Control() = default;

void Control::OnMouseDown(int /*x*/, int /*y*/, const MouseModifiers& mods)
{
    if (mods.right)
        OpenValueEditor();
}

void Control::OnMouseUp(int /*x*/, int /*y*/, const MouseModifiers& /*mods*/) {}

void Control::OnMouseDrag(int /*x*/, int /*y*/, int /*dx*/, int /*dy*/, const MouseModifiers& /*mods*/) {}

void Control::OnMouseDblClick(int /*x*/, int /*y*/, const MouseModifiers& /*mods*/)
{
    if (defaultValue >= 0.0) {
        value = defaultValue;
        MarkDirty(true);
    }
}

void Control::OnMouseWheel(int /*x*/, int /*y*/, const MouseModifiers& /*mods*/, int /*d*/) {}

bool Control::OnKeyDown(int /*x*/, int /*y*/, int /*key*/)
{
    return false;
}

void Control::OnMouseOver(int /*x*/, int /*y*/, const MouseModifiers& /*mods*/) {}

void Control::OnMouseOut() {}

bool Control::Draw(Graphics& /*graphics*/)
{
    return true;
}

void Control::SetValueFromParameter(double v)
{
    // A value that is not a number would make the frame and handle positions
    // meaningless; the control keeps what it shows.
    if (!std::isfinite(v))
        return;
    if (defaultValue < 0.0) {
        // The first value the plug-in shows is the double-click default.
        defaultValue = v;
        value = v;
        return;
    }
    if (v != value) {
        value = v;
        MarkDirty(false);
        redraw = true;
    }
}

void Control::SetValueFromEditor(double v)
{
    if (std::isfinite(v) && v != value) {
        value = v;
        MarkDirty(true);
        redraw = true;
    }
}

void Control::ReceiveEnteredText(const char* /*text*/) {}

void Control::SetHidden(bool hide)
{
    hidden = hide;
    redraw = true;
    MarkDirty(false);
}

void Control::SetGreyed(bool grey)
{
    greyed = grey;
    blend.weight = grey ? kGreyedWeight : 1.0f;
    MarkDirty(false);
}

bool Control::IsHit(int x, int y) const
{
    return targetRect.Contains(x, y);
}

void Control::MarkDirty(bool push)
{
    // Written so that a value that is not a number ends at the bottom.
    if (!(value >= clampLo))
        value = clampLo;
    else if (value > clampHi)
        value = clampHi;
    dirty = true;
    if (!push || plug == nullptr || paramIdx < 0)
        return;
    plug->SetParameterFromEditor(paramIdx, value);
    if ((valueDisplay == nullptr && nameDisplay == nullptr) || !plug->IsValidParameter(paramIdx))
        return;
    const framework::Parameter& parameter = plug->GetParameter(paramIdx);
    if (valueDisplay != nullptr) {
        char shown[kDisplayPartSize + 1] = {};
        parameter.FormatDisplay(parameter.value, false, shown, sizeof shown, true);
        valueDisplay->SetTextFromParameter(DisplayPart(shown) + " " + DisplayPart(parameter.label));
    }
    if (nameDisplay != nullptr)
        nameDisplay->SetTextFromParameter(DisplayPart(parameter.name) + " " + DisplayPart(parameter.label));
}

void Control::MarkClean()
{
    dirty = redraw;
    redraw = false;
}

bool Control::IsDirty() const
{
    return dirty;
}

void Control::SetAuxValueFromParameter(int auxIndex, double v)
{
    if (auxIndex < 0 || auxIndex >= static_cast<int>(auxParams.size()))
        return;
    AuxParameter& aux = auxParams[static_cast<size_t>(auxIndex)];
    if (aux.value != v) {
        aux.value = v;
        MarkDirty(false);
        redraw = true;
    }
}

void Control::OpenValueEditor()
{
    if (paramIdx < 0 || promptDisabled || plug == nullptr || context == nullptr || !plug->IsValidParameter(paramIdx))
        return;
    framework::Parameter& parameter = plug->GetParameter(paramIdx);
    Rect box = rect;
    if (!parameter.HasDisplayTexts()) {
        const int centreX = (rect.left + rect.right) / 2;
        const int centreY = (rect.top + rect.bottom) / 2;
        const DisplayScale& scale = context->Scale();
        const int halfWidth = scale.Pixels(kValueBoxHalfWidth);
        const int halfHeight = scale.Pixels(kValueBoxHalfHeight);
        box = {centreX - halfWidth, centreY - halfHeight, centreX + halfWidth, centreY + halfHeight};
    }
    context->OpenValueEditor(this, &parameter, box);
    redraw = true;
}

}  // namespace orv::editor
