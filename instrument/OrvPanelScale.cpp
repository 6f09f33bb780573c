// Which scale ORV's panel is drawn at, and laying it out again when that
// changes: the user's panel size, else the host's content scale, else the
// scale of the screen the editor opens on.
#include "instrument/ORV.h"

#include "editor/Graphics.h"
#include "instrument/OrvPanelLayout.h"
#include "instrument/OrvSwitchMidiLearn.h"

#include <cmath>

namespace orv::instrument {

using namespace orvpanel;

int ORV::ChosenScaleIndex() const
{
    if (PanelSizePercent() != kPanelSizeAutomatic)
        return ScaleIndexFor(static_cast<double>(PanelSizePercent()) / kPercent);
    if (hostScale > 0.0)
        return ScaleIndexFor(hostScale);
    if (systemScale > 0.0)
        return ScaleIndexFor(systemScale);
    return 0;
}

void ORV::UpdatePanelScale()
{
    editor::Graphics* context = EditorGraphics();
    if (context == nullptr)
        return;
    LockGuard guard(GetLock());
    const int chosen = ChosenScaleIndex();
    // The controls may be in use: a window's input is handled on its own
    // thread, and a control's handler (the option menu) may be what changed
    // the size. The next idle call lays the panel out then.
    if (EditorWindowOpen() || context->InControlCall()) {
        relayoutPending = chosen != panelScaleIndex;
        return;
    }
    if (chosen != panelScaleIndex)
        RelayOutPanel(chosen);
}

void ORV::RelayOutPanel(int scaleIndex)
{
    editor::Graphics* context = EditorGraphics();
    if (context == nullptr)
        return;
    LockGuard guard(GetLock());
    const bool armed = learnArmed;
    const bool forget = learnForget;
    LayOutPanel(scaleIndex);
    // As when the panel was first built, each control's double-click default
    // is its parameter's declared default; then it shows the current value.
    for (int i = 0; i < ParameterCount(); ++i) {
        const framework::Parameter& parameter = GetParameter(i);
        PushParameterToControls(i, parameter.GetNormalised(parameter.defaultValue), true);
    }
    RefreshParameterControls();
    PlaceBalls();
    if (armed) {
        learnArmed = true;
        learnForget = forget;
        if (auto* learn = dynamic_cast<OrvSwitchMidiLearn*>(learnSwitch))
            learn->ShowArmed(forget);
    }
    context->MarkAllDirty();
}

void ORV::EditorOpening(void* parent)
{
    if (editor::Graphics* context = EditorGraphics()) {
        const double scale = context->SystemScale(parent);
        systemScale = std::isfinite(scale) && scale > 0.0 ? scale : 0.0;
    }
    // No window yet: the panel takes its size before the window is made.
    LockGuard guard(GetLock());
    if (ChosenScaleIndex() != panelScaleIndex)
        RelayOutPanel(ChosenScaleIndex());
}

void ORV::EditorSystemScaleChanged(double scale)
{
    systemScale = std::isfinite(scale) && scale > 0.0 ? scale : 0.0;
    UpdatePanelScale();
}

void ORV::PanelSizeChanged()
{
    UpdatePanelScale();
}

bool ORV::TakeHostScale(intptr_t value, float opt)
{
    if (value != kHostScaleValue)
        return false;
    if (std::isfinite(opt) && opt > 0.0f) {
        hostScale = opt;
        UpdatePanelScale();
    }
    return true;
}

}  // namespace orv::instrument
