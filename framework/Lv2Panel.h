// The plug-in's panel as an LV2 X11 UI. It reaches the plug-in object the
// host runs (instance access) and opens the same editor a VST 2 host opens,
// inside the host's window. What the panel changes reaches the host as port
// values through the host's write function, so hosts record automation and
// show programs chosen on the panel.
#pragma once

#include "framework/Lv2Instrument.h"

#include <lv2/ui/ui.h>

#include <vector>

namespace orv::framework {

class Lv2Panel {
public:
    // Null when the host gives no parent window or no instance access, or
    // the editor cannot open.
    static Lv2Panel* Create(LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
                            const LV2_Feature* const* features);
    ~Lv2Panel();
    Lv2Panel(const Lv2Panel&) = delete;
    Lv2Panel& operator=(const Lv2Panel&) = delete;

    // A port value the host reports.
    void PortEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer);
    // The host's idle call: the editor's events and redraw, then the values
    // the panel changed go to the host. 0: keep the UI.
    int Idle();

private:
    Lv2Panel() = default;
    void WriteChangedValues();

    Lv2Instrument* instrument = nullptr;
    LV2UI_Write_Function write = nullptr;
    LV2UI_Controller controller = nullptr;
    const LV2UI_Resize* resize = nullptr;
    // The value each control port had as far as the host told us or we told
    // the host.
    std::vector<float> hostValues;
};

}  // namespace orv::framework
