// What a host learns when it loads the library and asks for a plug-in.
#include "tests/host/EventBatch.h"
#include "tests/host/HostedPlugin.h"

#include "platform/SharedLibrary.h"

#include <gtest/gtest.h>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

using namespace hosttest;

namespace {

using EntryProc = vst::AEffect* (*)(vst::HostCallback);

}  // namespace

TEST(EntryPoint, HandsOutAnInstrumentRecordAHostRecognises)
{
    HostedPlugin plugin;
    ASSERT_NE(plugin.effect, nullptr) << plugin.error;
    const vst::AEffect& effect = *plugin.effect;

    EXPECT_EQ(effect.magic, vst::FourCC('V', 's', 't', 'P'));
    // Replacing, program chunks, double replacing, synth; the editor flag
    // comes with the editor and is checked against effEditGetRect elsewhere.
    EXPECT_EQ(effect.flags & ~vst::effFlagsHasEditor, 0x1130);
    EXPECT_EQ(effect.numInputs, 0);
    EXPECT_EQ(effect.numOutputs, 2);
    EXPECT_EQ(effect.numParams, 12);
    EXPECT_EQ(effect.numPrograms, 64);
    EXPECT_EQ(effect.uniqueID, vst::FourCC('O', 'R', 'V', '1'));
    EXPECT_EQ(effect.version, 20000);
    EXPECT_EQ(effect.initialDelay, 0);
    EXPECT_EQ(effect.ioRatio, 1.0f);
    EXPECT_NE(effect.object, nullptr);
    EXPECT_NE(effect.dispatcher, nullptr);
    EXPECT_NE(effect.process, nullptr);
    EXPECT_NE(effect.processReplacing, nullptr);
    EXPECT_NE(effect.processDoubleReplacing, nullptr);
    EXPECT_NE(effect.setParameter, nullptr);
    EXPECT_NE(effect.getParameter, nullptr);
}

TEST(EntryPoint, CallsDuringCreationComeWithTheRecordTheHostIsAboutToGet)
{
    // The host cannot know the record yet; the plug-in may still tell it
    // things (a loaded bank), but must not expect answers about the host.
    const size_t strayBefore = ScriptedHost::StrayCallCount();
    HostedPlugin plugin;
    ASSERT_NE(plugin.effect, nullptr) << plugin.error;
    EXPECT_EQ(ScriptedHost::StrayCallCount(), strayBefore);
    for (const HostCall& call : plugin.host.Calls()) {
        EXPECT_EQ(call.effect, plugin.effect) << call.opcode;
        EXPECT_NE(call.opcode, vst::audioMasterGetProductString);
        EXPECT_NE(call.opcode, vst::audioMasterGetVendorString);
        EXPECT_NE(call.opcode, vst::audioMasterGetVendorVersion);
        EXPECT_NE(call.opcode, vst::audioMasterWantMidi);
    }
}

TEST(EntryPoint, OlderHostsFindMainAndTheLibraryLoadsTwice)
{
    // A second load of the same library, as a host scanning plug-ins while
    // another part of it already uses them.
    orv::hostkit::PluginModule second;
    ASSERT_TRUE(second.Load(PluginPath())) << second.Error();
    HostedPlugin first;
    HostedPlugin other(second);
    ASSERT_NE(first.effect, nullptr) << first.error;
    ASSERT_NE(other.effect, nullptr) << other.error;
    EXPECT_NE(first.effect, other.effect);

    orv::platform::SharedLibrary library;
    ASSERT_TRUE(library.Open(PluginPath())) << library.Error();
    auto legacyMain = reinterpret_cast<EntryProc>(library.Symbol("main"));
    ASSERT_NE(legacyMain, nullptr);
    ScriptedHost host;
    vst::AEffect* viaMain = nullptr;
    {
        ScriptedHost::ConstructionScope scope(host);
        viaMain = legacyMain(&ScriptedHost::Callback);
    }
    ASSERT_NE(viaMain, nullptr);
    host.Adopt(viaMain);
    EXPECT_EQ(viaMain->magic, vst::kEffectMagic);
    EXPECT_EQ(viaMain->uniqueID, vst::FourCC('O', 'R', 'V', '1'));
    EXPECT_NE(viaMain, first.effect);
    EXPECT_NE(viaMain, other.effect);
    EXPECT_EQ(viaMain->dispatcher(viaMain, vst::effGetVendorVersion, 0, 0, nullptr, 0.0f), 20000);
    viaMain->dispatcher(viaMain, vst::effClose, 0, 0, nullptr, 0.0f);

    other.Close();
    EXPECT_EQ(first.Dispatch(vst::effGetVstVersion), 2400);
}

TEST(EntryPoint, AHostWithoutCallbackGetsAWorkingPlugin)
{
    auto& library = PluginLibrary();
    ASSERT_TRUE(library.IsLoaded()) << library.Error();
    vst::AEffect* effect = library.Instantiate(nullptr);
    ASSERT_NE(effect, nullptr) << library.Error();
    auto dispatch = [effect](int32_t opcode, intptr_t value = 0, void* ptr = nullptr) {
        return effect->dispatcher(effect, opcode, 0, value, ptr, 0.0f);
    };
    dispatch(vst::effOpen);
    dispatch(vst::effSetBlockSize, 64);
    dispatch(vst::effMainsChanged, 1);
    float left[64] = {}, right[64] = {};
    float* outputs[] = {left, right};
    EventBatch batch;
    batch.Midi(0, 0x90, 60, 100);
    EXPECT_EQ(dispatch(vst::effProcessEvents, 0, batch.Events()), 1);
    effect->processReplacing(effect, nullptr, outputs, 64);
    EXPECT_EQ(dispatch(vst::effClose), 0);
}
