// The panel of the LV2 bundle as an LV2 host shows it: embedded in the
// host's window through instance access, sized through ui:resize, and
// reporting what the user changes as port values through the host's write
// function.
#include <gtest/gtest.h>

#include "tests/host/UridMap.h"
#include "tests/x11/X11TestHost.h"

#include "framework/Lv2Instrument.h"

#include <dlfcn.h>
#include <lv2/core/lv2.h>
#include <lv2/instance-access/instance-access.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <string>
#include <vector>

using namespace orv::framework;

namespace {

using x11test::Pause;
using x11test::X11TestHost;

constexpr uint32_t kVolumePort = Lv2Ports::kFirstControl;  // the first parameter
constexpr int kVolumeParameter = 0;

struct WrittenValue {
    uint32_t port;
    float value;
};

class Lv2Panel : public ::testing::Test {
protected:
    void SetUp() override
    {
        library = dlopen(ORV_LV2_BINARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        auto pluginEntry = reinterpret_cast<const LV2_Descriptor* (*)(uint32_t)>(dlsym(library, "lv2_descriptor"));
        auto panelEntry = reinterpret_cast<const LV2UI_Descriptor* (*)(uint32_t)>(dlsym(library, "lv2ui_descriptor"));
        ASSERT_TRUE(pluginEntry != nullptr && panelEntry != nullptr);
        descriptor = pluginEntry(0);
        panelDescriptor = panelEntry(0);
        const LV2_Feature* features[] = {&mapFeature, nullptr};
        instance = descriptor->instantiate(descriptor, 48000.0, ORV_LV2_BUNDLE, features);
        ASSERT_NE(instance, nullptr);

        parent = x.CreateParent(700, 420);
        LV2_Feature parentFeature{LV2_UI__parent, reinterpret_cast<void*>(parent)};
        LV2_Feature accessFeature{LV2_INSTANCE_ACCESS_URI, instance};
        LV2_Feature resizeFeature{LV2_UI__resize, &resize};
        const LV2_Feature* panelFeatures[] = {&parentFeature, &accessFeature, &resizeFeature, &mapFeature, nullptr};
        panel = panelDescriptor->instantiate(panelDescriptor, descriptor->URI, ORV_LV2_BUNDLE, &Lv2Panel::Write, this,
                                             &widget, panelFeatures);
        ASSERT_NE(panel, nullptr);
        idle = static_cast<const LV2UI_Idle_Interface*>(panelDescriptor->extension_data(LV2_UI__idleInterface));
        ASSERT_NE(idle, nullptr);
        Idle(300);
        written.clear();
    }
    void TearDown() override
    {
        if (panel != nullptr)
            panelDescriptor->cleanup(panel);
        if (instance != nullptr)
            descriptor->cleanup(instance);
        if (library != nullptr)
            dlclose(library);
    }

    static void Write(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t protocol, const void* buffer)
    {
        auto* self = static_cast<Lv2Panel*>(controller);
        if (protocol == 0 && size == sizeof(float))
            self->written.push_back({port, *static_cast<const float*>(buffer)});
    }
    static int Resize(LV2UI_Feature_Handle handle, int width, int height)
    {
        static_cast<Lv2Panel*>(handle)->sizes.emplace_back(width, height);
        return 0;
    }
    void Idle(int milliseconds)
    {
        for (int waited = 0; waited < milliseconds; waited += X11TestHost::kIdleMilliseconds) {
            idle->idle(panel);
            Pause(X11TestHost::kIdleMilliseconds);
        }
    }
    vst::AEffect* Effect() { return static_cast<Lv2Instrument*>(instance)->Effect(); }
    float LastWritten(uint32_t port) const
    {
        float value = -1.0f;
        for (const WrittenValue& w : written)
            value = w.port == port ? w.value : value;
        return value;
    }

    hosttest::UridMap urids;
    LV2_Feature mapFeature{LV2_URID__map, &urids.map};
    LV2UI_Resize resize{this, &Lv2Panel::Resize};
    void* library = nullptr;
    const LV2_Descriptor* descriptor = nullptr;
    const LV2UI_Descriptor* panelDescriptor = nullptr;
    const LV2UI_Idle_Interface* idle = nullptr;
    LV2_Handle instance = nullptr;
    LV2UI_Handle panel = nullptr;
    LV2UI_Widget widget = nullptr;
    X11TestHost x;
    Window parent = 0;
    std::vector<WrittenValue> written;
    std::vector<std::pair<int, int>> sizes;
};

TEST_F(Lv2Panel, ThePanelSitsInTheHostsWindowAtItsSize)
{
    ASSERT_NE(widget, nullptr);
    const std::vector<Window> children = x.Children(parent);
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(reinterpret_cast<Window>(widget), children[0]);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back(), std::make_pair(608, 352));
}

TEST_F(Lv2Panel, WhatTheUserChangesReachesTheHostAsPortValues)
{
    const auto editor = reinterpret_cast<Window>(widget);
    const float volumeBefore = Effect()->getParameter(Effect(), kVolumeParameter);
    x11test::ActAsUser([this] { idle->idle(panel); },
                       [&](X11TestHost& user) {
                           user.MoveTo(editor, 506, 212);
                           user.Press();
                           Pause(80);
                           for (int y = 215; y <= 250; y += 5) {
                               user.MoveTo(editor, 506, y);
                               Pause(40);
                           }
                           user.Release();
                       });
    const float volume = Effect()->getParameter(Effect(), kVolumeParameter);
    ASSERT_LT(volume, volumeBefore);
    EXPECT_FLOAT_EQ(LastWritten(kVolumePort), volume);  // Volume runs 0..1

    // A program chosen on the panel: every port that changed follows it.
    written.clear();
    x11test::ActAsUser([this] { idle->idle(panel); },
                       [&](X11TestHost& user) { user.Click(editor, 139, 28); });  // next program
    ASSERT_EQ(Effect()->dispatcher(Effect(), vst::effGetProgram, 0, 0, nullptr, 0.0f), 1);
    EXPECT_FLOAT_EQ(LastWritten(kVolumePort), Effect()->getParameter(Effect(), kVolumeParameter));
    EXPECT_FALSE(written.empty());
}

}  // namespace
