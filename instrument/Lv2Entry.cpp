// The LV2 bundle's entry points: the instrument and its panel.
#include "framework/Lv2Instrument.h"
#include "framework/Lv2Panel.h"
#include "instrument/Lv2Identity.h"
#include "instrument/OrvEffect.h"

#include <lv2/state/state.h>
#include <lv2/ui/ui.h>

#include <cstring>

namespace orv::instrument {

namespace {

using framework::Lv2Instrument;
using framework::Lv2Panel;

LV2_Handle Instantiate(const LV2_Descriptor* /*descriptor*/, double rate, const char* /*bundle*/,
                       const LV2_Feature* const* features)
{
    return Lv2Instrument::Create(&CreateOrvEffect, kLv2PluginUri, rate, features);
}

void ConnectPort(LV2_Handle instance, uint32_t port, void* data)
{
    static_cast<Lv2Instrument*>(instance)->ConnectPort(port, data);
}

void Activate(LV2_Handle instance)
{
    static_cast<Lv2Instrument*>(instance)->Activate();
}

void Run(LV2_Handle instance, uint32_t frames)
{
    static_cast<Lv2Instrument*>(instance)->Run(frames);
}

void Deactivate(LV2_Handle instance)
{
    static_cast<Lv2Instrument*>(instance)->Deactivate();
}

void Cleanup(LV2_Handle instance)
{
    delete static_cast<Lv2Instrument*>(instance);
}

LV2_State_Status Save(LV2_Handle instance, LV2_State_Store_Function store, LV2_State_Handle handle, uint32_t /*flags*/,
                      const LV2_Feature* const* /*features*/)
{
    return static_cast<Lv2Instrument*>(instance)->SaveState(store, handle);
}

LV2_State_Status Restore(LV2_Handle instance, LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle,
                         uint32_t /*flags*/, const LV2_Feature* const* /*features*/)
{
    return static_cast<Lv2Instrument*>(instance)->RestoreState(retrieve, handle);
}

const void* ExtensionData(const char* uri)
{
    static const LV2_State_Interface state = {&Save, &Restore};
    return std::strcmp(uri, LV2_STATE__interface) == 0 ? &state : nullptr;
}

const LV2_Descriptor kDescriptor = {kLv2PluginUri, &Instantiate, &ConnectPort, &Activate,
                                    &Run,          &Deactivate,  &Cleanup,     &ExtensionData};

LV2UI_Handle InstantiatePanel(const LV2UI_Descriptor* /*descriptor*/, const char* /*pluginUri*/, const char* /*bundle*/,
                              LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
                              const LV2_Feature* const* features)
{
    return Lv2Panel::Create(write, controller, widget, features);
}

void CleanupPanel(LV2UI_Handle panel)
{
    delete static_cast<Lv2Panel*>(panel);
}

void PanelPortEvent(LV2UI_Handle panel, uint32_t port, uint32_t size, uint32_t format, const void* buffer)
{
    static_cast<Lv2Panel*>(panel)->PortEvent(port, size, format, buffer);
}

int PanelIdle(LV2UI_Handle panel)
{
    return static_cast<Lv2Panel*>(panel)->Idle();
}

const void* PanelExtensionData(const char* uri)
{
    static const LV2UI_Idle_Interface idle = {&PanelIdle};
    return std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &idle : nullptr;
}

const LV2UI_Descriptor kPanelDescriptor = {kLv2PanelUri, &InstantiatePanel, &CleanupPanel, &PanelPortEvent,
                                           &PanelExtensionData};

}  // namespace

extern "C" __attribute__((visibility("default"))) const LV2_Descriptor* lv2_descriptor(uint32_t index)
{
    return index == 0 ? &kDescriptor : nullptr;
}

extern "C" __attribute__((visibility("default"))) const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index)
{
    return index == 0 ? &kPanelDescriptor : nullptr;
}

}  // namespace orv::instrument
