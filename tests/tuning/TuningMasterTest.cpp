// Microtuning through an installed tuning library: the plug-in is loaded as a
// host loads it, with the library replaced by a scriptable double.
#include "platform/SharedLibrary.h"
#include "tools/hostkit/PluginModule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

namespace {

intptr_t SilentHost(vst::AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    return opcode == vst::audioMasterVersion ? 2400 : 0;
}

struct TuningDouble {
    orv::platform::SharedLibrary library;
    void (*connect)(bool) = nullptr;
    void (*retune)(int, double) = nullptr;
    void (*filter)(int, bool) = nullptr;
    int (*clients)() = nullptr;

    bool Load()
    {
        if (!library.Open(ORV_MTS_DOUBLE))
            return false;
        connect = reinterpret_cast<void (*)(bool)>(library.Symbol("MtsDouble_Connect"));
        retune = reinterpret_cast<void (*)(int, double)>(library.Symbol("MtsDouble_Retune"));
        filter = reinterpret_cast<void (*)(int, bool)>(library.Symbol("MtsDouble_Filter"));
        clients = reinterpret_cast<int (*)()>(library.Symbol("MtsDouble_Clients"));
        return connect && retune && filter && clients;
    }
};

struct Hosted {
    orv::hostkit::PluginModule module;
    vst::AEffect* effect = nullptr;

    bool Open()
    {
        if (!module.Load(ORV_PLUGIN))
            return false;
        effect = module.Instantiate(&SilentHost);
        if (effect == nullptr)
            return false;
        Dispatch(vst::effOpen);
        Dispatch(vst::effSetSampleRate, 0, 0, nullptr, 44100.0f);
        Dispatch(vst::effSetBlockSize, 0, 512);
        Dispatch(vst::effMainsChanged, 0, 1);
        // The pad's centre without effects: a pure sine, easy to measure.
        const float pureSine[12] = {0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.2f, 0.3f, 0.0f, 0.5f, 0.5f, 0.0f, 0.3f};
        for (int i = 0; i < 12; ++i)
            effect->setParameter(effect, i, pureSine[i]);
        return true;
    }
    void Close()
    {
        if (effect != nullptr)
            Dispatch(vst::effClose);
        effect = nullptr;
    }
    intptr_t Dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f)
    {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }
    // Plays one note for a second and returns the left channel.
    std::vector<float> Play(int note)
    {
        vst::VstMidiEvent on = {};
        on.type = vst::kVstMidiType;
        on.byteSize = sizeof on;
        on.midiData[0] = static_cast<char>(0x90);
        on.midiData[1] = static_cast<char>(note);
        on.midiData[2] = 100;
        vst::VstEvents events = {};
        events.numEvents = 1;
        events.events[0] = reinterpret_cast<vst::VstEvent*>(&on);
        Dispatch(vst::effProcessEvents, 0, 0, &events);
        std::vector<float> left(44032), right(44032);
        for (size_t at = 0; at < left.size(); at += 512) {
            float* outputs[2] = {left.data() + at, right.data() + at};
            effect->processReplacing(effect, nullptr, outputs, 512);
        }
        on.midiData[0] = static_cast<char>(0x80);
        Dispatch(vst::effProcessEvents, 0, 0, &events);
        std::vector<float> tail(44032), tailRight(44032);  // let the release die away
        for (size_t at = 0; at < tail.size(); at += 512) {
            float* outputs[2] = {tail.data() + at, tailRight.data() + at};
            effect->processReplacing(effect, nullptr, outputs, 512);
        }
        return left;
    }
};

double Frequency(const std::vector<float>& signal)
{
    double first = -1.0, last = -1.0;
    int crossings = 0;
    for (size_t i = 8820; i < signal.size(); ++i) {
        if (signal[i - 1] < 0.0f && signal[i] >= 0.0f) {
            const double at = static_cast<double>(i - 1) + signal[i - 1] / (signal[i - 1] - signal[i]);
            if (first < 0.0)
                first = at;
            else
                ++crossings;
            last = at;
        }
    }
    return crossings > 0 ? crossings * 44100.0 / (last - first) : 0.0;
}

double Peak(const std::vector<float>& signal)
{
    double peak = 0.0;
    for (float x : signal)
        peak = std::max(peak, static_cast<double>(std::fabs(x)));
    return peak;
}

}  // namespace

TEST(TuningMaster, RetunesNotesFiltersOthersAndFollowsTheMastersPresence)
{
    TuningDouble tuning;
    ASSERT_TRUE(tuning.Load());
    Hosted plugin;
    ASSERT_TRUE(plugin.Open());
    EXPECT_EQ(tuning.clients(), 1) << "each instance registers as a client";

    tuning.connect(true);
    tuning.retune(60, 440.0);
    tuning.filter(61, true);
    EXPECT_NEAR(Frequency(plugin.Play(60)), 440.0, 0.5) << "note 60 takes the master's frequency";
    EXPECT_EQ(Peak(plugin.Play(61)), 0.0) << "a filtered note does not sound";

    tuning.connect(false);
    EXPECT_NEAR(Frequency(plugin.Play(64)), 329.628, 0.5) << "without a master: equal temperament";
    EXPECT_GT(Peak(plugin.Play(61)), 0.01);

    plugin.Close();
    EXPECT_EQ(tuning.clients(), 0) << "closing the instance deregisters it";
}

int main(int argc, char** argv)
{
    // The plug-in binds the tuning library once, when the first instance is made.
#if defined(_WIN32)
    _putenv_s("ORV_MTS_LIBRARY", ORV_MTS_DOUBLE);
#else
    setenv("ORV_MTS_LIBRARY", ORV_MTS_DOUBLE, 1);
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
