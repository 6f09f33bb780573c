#include "framework/Lv2Panel.h"

#include <lv2/instance-access/instance-access.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <new>

namespace orv::framework {

namespace {

// A parameter moved by less than this share of its range is the host's own
// value come back, not a move of the panel.
constexpr double kEchoTolerance = 1e-6;

}  // namespace

Lv2Panel* Lv2Panel::Create(LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
                           const LV2_Feature* const* features)
{
    void* parent = const_cast<void*>(FindLv2Feature(features, LV2_UI__parent));
    auto* instrument =
        static_cast<Lv2Instrument*>(const_cast<void*>(FindLv2Feature(features, LV2_INSTANCE_ACCESS_URI)));
    if (parent == nullptr || instrument == nullptr || widget == nullptr)
        return nullptr;
    auto* panel = new (std::nothrow) Lv2Panel();
    if (panel == nullptr)
        return nullptr;
    panel->instrument = instrument;
    panel->write = write;
    panel->controller = controller;
    panel->resize = static_cast<const LV2UI_Resize*>(FindLv2Feature(features, LV2_UI__resize));
    panel->hostValues.assign(instrument->ControlParameters().size(), std::numeric_limits<float>::quiet_NaN());

    vst::AEffect* effect = instrument->Effect();
    if (effect->dispatcher(effect, vst::effEditOpen, 0, 0, parent, 0.0f) == 0) {
        delete panel;
        return nullptr;
    }
    *widget = instrument->Plugin().EditorWindow();
    vst::ERect* rect = nullptr;
    if (panel->resize != nullptr && effect->dispatcher(effect, vst::effEditGetRect, 0, 0, &rect, 0.0f) != 0 &&
        rect != nullptr)
        panel->resize->ui_resize(panel->resize->handle, rect->right - rect->left, rect->bottom - rect->top);
    instrument->SetResizeListener([panel](int width, int height) {
        if (panel->resize != nullptr)
            panel->resize->ui_resize(panel->resize->handle, width, height);
    });
    return panel;
}

Lv2Panel::~Lv2Panel()
{
    instrument->SetResizeListener(nullptr);
    vst::AEffect* effect = instrument->Effect();
    effect->dispatcher(effect, vst::effEditClose, 0, 0, nullptr, 0.0f);
}

void Lv2Panel::PortEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer)
{
    if (format != 0 || size != sizeof(float) || buffer == nullptr || port < Lv2Ports::kFirstControl)
        return;
    const uint32_t control = port - Lv2Ports::kFirstControl;
    if (control < hostValues.size())
        std::memcpy(&hostValues[control], buffer, sizeof(float));
    // The controls follow once run() has passed the value to the plug-in.
}

void Lv2Panel::WriteChangedValues()
{
    const std::vector<int>& parameters = instrument->ControlParameters();
    for (size_t i = 0; i < parameters.size(); ++i) {
        const Parameter& parameter = instrument->Plugin().GetParameter(parameters[i]);
        const auto value = static_cast<float>(parameter.value);
        const double range = parameter.maximum - parameter.minimum;
        if (!std::isnan(hostValues[i]) && std::fabs(value - hostValues[i]) <= kEchoTolerance * range)
            continue;
        hostValues[i] = value;
        write(controller, Lv2Ports::kFirstControl + static_cast<uint32_t>(i), sizeof value, 0, &value);
    }
}

int Lv2Panel::Idle()
{
    vst::AEffect* effect = instrument->Effect();
    effect->dispatcher(effect, vst::effEditIdle, 0, 0, nullptr, 0.0f);
    WriteChangedValues();
    return 0;
}

}  // namespace orv::framework
