// The dispatcher as a host meets it: fixed answers, texts that fit the host's
// buffers, and requests with bad indices or missing pointers.
#include "tests/host/GuardedText.h"
#include "tests/host/HostedPlugin.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

using namespace hosttest;

namespace {

constexpr size_t kProgramNameBytes = 24;
constexpr size_t kParameterTextBytes = 32;
constexpr size_t kEffectNameBytes = 32;
constexpr size_t kVendorBytes = 64;
constexpr size_t kPinLabelBytes = 64;

const intptr_t kCockosAnswer = static_cast<intptr_t>(0xbeef0000u);
constexpr intptr_t kVendorAnswer = 0xbeef;

}  // namespace

TEST(Dispatcher, AnswersTheFixedQueries)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    EXPECT_EQ(plugin.Dispatch(vst::effGetVendorVersion), 20000);
    EXPECT_EQ(plugin.Dispatch(vst::effGetVstVersion), 2400);
    EXPECT_EQ(plugin.Dispatch(vst::effIdentify), vst::FourCC('N', 'v', 'E', 'f'));
    EXPECT_EQ(plugin.Dispatch(vst::effGetPlugCategory), vst::kPlugCategSynth);
    EXPECT_EQ(plugin.Dispatch(vst::effGetTailSize), 0);
    EXPECT_EQ(plugin.Dispatch(vst::effProcessVarIo), 0);
    EXPECT_EQ(plugin.Dispatch(vst::effGetProgram), 0);
    for (int32_t index : {0, 11, 12, -1, 100000})
        EXPECT_EQ(plugin.Dispatch(vst::effCanBeAutomated, index), 1) << index;
    EXPECT_EQ(plugin.Dispatch(vst::effOpen), 0);
    EXPECT_EQ(plugin.Dispatch(vst::effSetSampleRate, 0, 0, nullptr, 48000.0f), 0);
    EXPECT_EQ(plugin.Dispatch(vst::effSetBlockSize, 0, 256), 0);
    EXPECT_EQ(plugin.Dispatch(vst::effMainsChanged, 0, 1), 0);
    EXPECT_EQ(plugin.Dispatch(vst::effIdle), 0);
    EXPECT_EQ(plugin.Dispatch(vst::effEditIdle), 0);
    EXPECT_EQ(plugin.Dispatch(vst::effMainsChanged, 0, 0), 0);
}

TEST(Dispatcher, OpcodesItDoesNotKnowReturnZeroAndTouchNothing)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    for (int32_t opcode :
         {-1, 9,  16, 17, 18, 20, 21, 28, 30, 31, 32, 36, 37, 38, 39, 40, 43, 44,  46,   54,        55,
          56, 57, 59, 60, 61, 62, 63, 64, 65, 67, 68, 70, 71, 72, 73, 77, 78, 100, 1000, INT32_MAX, INT32_MIN}) {
        GuardedText text;
        EXPECT_EQ(plugin.Dispatch(opcode, 1, 1, text.data(), 1.0f), 0) << opcode;
        EXPECT_TRUE(text.Untouched()) << opcode;
    }
}

TEST(Dispatcher, RequestsWithoutTheirPointerAreRefused)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    for (int32_t opcode :
         {vst::effGetChunk, vst::effSetChunk, vst::effProcessEvents, vst::effEditGetRect, vst::effGetInputProperties,
          vst::effGetOutputProperties, vst::effGetEffectName, vst::effGetVendorString, vst::effGetProductString,
          vst::effCanDo, vst::effGetMidiKeyName, vst::effGetProgramNameIndexed})
        EXPECT_EQ(plugin.Dispatch(opcode, 0, 16, nullptr), 0) << opcode;
    EXPECT_EQ(plugin.Dispatch(vst::effVendorSpecific, 7, 0, nullptr, 0.5f), 0);
    // These answer 0 anyway; what matters is that nothing is dereferenced.
    for (int32_t opcode : {vst::effGetProgramName, vst::effSetProgramName, vst::effGetParamLabel,
                           vst::effGetParamDisplay, vst::effGetParamName})
        EXPECT_EQ(plugin.Dispatch(opcode, 0, 0, nullptr), 0) << opcode;
    EXPECT_EQ(plugin.Dispatch(vst::effGetSpeakerArrangement, 0, 0, nullptr), 1);
    EXPECT_EQ(plugin.Dispatch(vst::effSetSpeakerArrangement, 0, 0, nullptr), 1);
}

TEST(Dispatcher, NamesItselfWithinTheHostsBuffers)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    GuardedText name, vendor, product;
    EXPECT_EQ(plugin.Dispatch(vst::effGetEffectName, 0, 0, name.data()), 1);
    EXPECT_STREQ(name.c_str(), "ORV");
    EXPECT_TRUE(name.IsTextWithin(kEffectNameBytes));
    EXPECT_EQ(plugin.Dispatch(vst::effGetVendorString, 0, 0, vendor.data()), 1);
    EXPECT_STREQ(vendor.c_str(), "Tarnwick");
    EXPECT_TRUE(vendor.IsTextWithin(kVendorBytes));
    EXPECT_EQ(plugin.Dispatch(vst::effGetProductString, 0, 0, product.data()), 1);
    EXPECT_STREQ(product.c_str(), "");
    EXPECT_TRUE(product.IsTextWithin(kVendorBytes));
}

TEST(Dispatcher, ProgramNamesStayWithin24Bytes)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    for (int32_t index : {0, 1, 63}) {
        GuardedText text;
        EXPECT_EQ(plugin.Dispatch(vst::effGetProgramNameIndexed, index, 0, text.data()), 1) << index;
        EXPECT_NE(text.c_str()[0], '\0') << "every slot has a name after loading";
        EXPECT_TRUE(text.IsTextWithin(kProgramNameBytes)) << index;
    }
    for (int32_t index : {64, -1, INT32_MAX}) {
        GuardedText text;
        EXPECT_EQ(plugin.Dispatch(vst::effGetProgramNameIndexed, index, 0, text.data()), 0) << index;
        EXPECT_STREQ(text.c_str(), "") << index;
        EXPECT_TRUE(text.IsTextWithin(kProgramNameBytes)) << index;
    }

    // A host may rename a program with a name longer than it will read back.
    const std::string longName(300, 'n');
    EXPECT_EQ(plugin.Dispatch(vst::effSetProgramName, 0, 0, const_cast<char*>(longName.c_str())), 0);
    GuardedText current, indexed;
    EXPECT_EQ(plugin.Dispatch(vst::effGetProgramName, 0, 0, current.data()), 0);
    EXPECT_EQ(std::string(current.c_str()), std::string(kProgramNameBytes - 1, 'n'));
    EXPECT_TRUE(current.IsTextWithin(kProgramNameBytes));
    EXPECT_EQ(plugin.Dispatch(vst::effGetProgramNameIndexed, 0, 0, indexed.data()), 1);
    EXPECT_STREQ(indexed.c_str(), current.c_str());
    EXPECT_TRUE(indexed.IsTextWithin(kProgramNameBytes));
}

TEST(Dispatcher, SwitchesOnlyToProgramsThatExist)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Dispatch(vst::effSetProgram, 0, 5);
    EXPECT_EQ(plugin.Dispatch(vst::effGetProgram), 5);
    plugin.Dispatch(vst::effSetProgram, 0, 64);
    plugin.Dispatch(vst::effSetProgram, 0, -1);
    if constexpr (sizeof(intptr_t) > 4)
        plugin.Dispatch(vst::effSetProgram, 0, static_cast<intptr_t>(int64_t{1} << 32));  // not program 0
    EXPECT_EQ(plugin.Dispatch(vst::effGetProgram), 5);
    plugin.Dispatch(vst::effSetProgram, 0, 63);
    EXPECT_EQ(plugin.Dispatch(vst::effGetProgram), 63);
}

TEST(Dispatcher, ParameterTextsFitAndBadIndicesWriteNothing)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    for (int32_t opcode : {vst::effGetParamLabel, vst::effGetParamDisplay, vst::effGetParamName}) {
        for (int32_t index = 0; index < 12; ++index) {
            GuardedText text;
            EXPECT_EQ(plugin.Dispatch(opcode, index, 0, text.data()), 0);
            EXPECT_TRUE(text.IsTextWithin(kParameterTextBytes)) << opcode << " " << index;
        }
        for (int32_t index : {-1, 12, 13, 1000, INT32_MAX, INT32_MIN}) {
            GuardedText text;
            EXPECT_EQ(plugin.Dispatch(opcode, index, 0, text.data()), 0);
            EXPECT_TRUE(text.Untouched()) << opcode << " " << index;
        }
    }
    GuardedText text;
    std::strcpy(text.data(), "0.5");
    EXPECT_EQ(plugin.Dispatch(vst::effString2Parameter, 12, 0, text.data()), 0);
    EXPECT_EQ(plugin.Dispatch(vst::effString2Parameter, -1, 0, text.data()), 0);

    // setParameter and getParameter out of range: nothing changes, 0 is read.
    vst::AEffect* effect = plugin.effect;
    float before[12];
    for (int32_t i = 0; i < 12; ++i)
        before[i] = effect->getParameter(effect, i);
    for (int32_t index : {-1, 12, INT32_MAX, INT32_MIN}) {
        effect->setParameter(effect, index, 0.75f);
        EXPECT_EQ(effect->getParameter(effect, index), 0.0f) << index;
    }
    for (int32_t i = 0; i < 12; ++i)
        EXPECT_EQ(effect->getParameter(effect, i), before[i]) << i;
}

TEST(Dispatcher, VendorSpecificFormatsOnlyParametersThatExist)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    GuardedText valid;
    EXPECT_EQ(plugin.Dispatch(vst::effVendorSpecific, 7, 0, valid.data(), 0.5f), kVendorAnswer);
    EXPECT_TRUE(valid.IsTextWithin(kParameterTextBytes));
    EXPECT_NE(valid.c_str()[0], '\0');

    std::vector<intptr_t> badIndices = {-1, 12, 1000};
    if constexpr (sizeof(intptr_t) > 4)
        badIndices.push_back(static_cast<intptr_t>(int64_t{1} << 32));  // must not wrap to parameter 0
    for (intptr_t index : badIndices) {
        GuardedText text;
        EXPECT_EQ(plugin.Dispatch(vst::effVendorSpecific, 7, index, text.data(), 0.5f), kVendorAnswer);
        EXPECT_TRUE(text.Untouched()) << index;
        EXPECT_EQ(plugin.Dispatch(vst::effVendorSpecific, 8, index), 0) << index;
    }
    for (int32_t request : {0, 6, 9, 0x73744341, -1}) {
        GuardedText text;
        EXPECT_EQ(plugin.Dispatch(vst::effVendorSpecific, request, 0, text.data(), 0.5f), 0) << request;
        EXPECT_TRUE(text.Untouched()) << request;
    }
}

TEST(Dispatcher, CanDoAnswersExactlyTheListedFeatures)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    const struct {
        const char* feature;
        intptr_t answer;
    } cases[] = {
        {"receiveVstTimeInfo", 1},
        {"sendVstEvents", 1},
        {"sendVstMidiEvent", 1},
        {"receiveVstEvents", 1},
        {"receiveVstMidiEvent", 1},
        {"hasCockosExtensions", kCockosAnswer},
        {"hasCockosViewAsConfig", kCockosAnswer},
        // Case and spelling matter.
        {"ReceiveVstMidiEvent", 0},
        {"RECEIVEVSTTIMEINFO", 0},
        {"HasCockosExtensions", 0},
        {"receiveVstMidiEvent ", 0},
        {"receiveVstMidi", 0},
        {"", 0},
        {"bypass", 0},
        {"offline", 0},
        {"midiProgramNames", 0},
        {"sendVstTimeInfo", 0},
        {"receiveVstSysexEvent", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plugin.Dispatch(vst::effCanDo, 0, 0, const_cast<char*>(c.feature)), c.answer) << c.feature;
}

TEST(Dispatcher, DescribesTwoOutputPinsAndNoInputs)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    auto blank = [] {
        vst::VstPinProperties pin;
        std::memset(&pin, GuardedText::kSentinel, sizeof pin);
        return pin;
    };
    const vst::VstPinProperties untouched = blank();

    const struct {
        int32_t index;
        int32_t flags;
        const char* label;
    } outputs[] = {{0, vst::kVstPinIsActive | vst::kVstPinIsStereo, "Output 1"}, {1, vst::kVstPinIsActive, "Output 2"}};
    for (const auto& expected : outputs) {
        vst::VstPinProperties pin = blank();
        EXPECT_EQ(plugin.Dispatch(vst::effGetOutputProperties, expected.index, 0, &pin), 1);
        EXPECT_EQ(pin.flags, expected.flags);
        EXPECT_STREQ(pin.label, expected.label);
        EXPECT_NE(std::memchr(pin.label, '\0', kPinLabelBytes), nullptr);
        // What the plug-in does not describe stays as the host left it.
        EXPECT_EQ(pin.arrangementType, untouched.arrangementType);
        EXPECT_EQ(std::memcmp(pin.shortLabel, untouched.shortLabel, sizeof pin.shortLabel), 0);
        EXPECT_EQ(std::memcmp(pin.future, untouched.future, sizeof pin.future), 0);
    }
    for (int32_t index : {2, 3, -1, INT32_MAX}) {
        vst::VstPinProperties pin = blank();
        EXPECT_EQ(plugin.Dispatch(vst::effGetOutputProperties, index, 0, &pin), 0) << index;
        EXPECT_EQ(std::memcmp(&pin, &untouched, sizeof pin), 0) << index;
    }
    for (int32_t index : {0, 1, -1}) {
        vst::VstPinProperties pin = blank();
        EXPECT_EQ(plugin.Dispatch(vst::effGetInputProperties, index, 0, &pin), 0) << index;
        EXPECT_EQ(std::memcmp(&pin, &untouched, sizeof pin), 0) << index;
    }
}

TEST(Dispatcher, SpeakerArrangementsAreNoInputsAndStereoOut)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    auto arrangements = [&plugin] {
        vst::VstSpeakerArrangement* in = nullptr;
        vst::VstSpeakerArrangement* out = nullptr;
        EXPECT_EQ(plugin.Dispatch(vst::effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&in), &out), 1);
        return std::make_pair(in, out);
    };
    auto check = [](const std::pair<vst::VstSpeakerArrangement*, vst::VstSpeakerArrangement*>& pair) {
        ASSERT_NE(pair.first, nullptr);
        ASSERT_NE(pair.second, nullptr);
        EXPECT_EQ(pair.first->type, vst::kSpeakerArrEmpty);
        EXPECT_EQ(pair.first->numChannels, 0);
        EXPECT_EQ(pair.second->type, vst::kSpeakerArrStereo);
        EXPECT_EQ(pair.second->numChannels, 2);
    };
    check(arrangements());

    // Only the pointers the host asked for are written.
    vst::VstSpeakerArrangement* onlyOut = nullptr;
    EXPECT_EQ(plugin.Dispatch(vst::effGetSpeakerArrangement, 0, 0, &onlyOut), 1);
    EXPECT_NE(onlyOut, nullptr);

    // The host's proposal is accepted but does not change what the plug-in
    // reports as its own arrangement; nor does opening.
    vst::VstSpeakerArrangement mono{};
    mono.type = vst::kSpeakerArrMono;
    mono.numChannels = 1;
    vst::VstSpeakerArrangement none{};
    none.type = vst::kSpeakerArrEmpty;
    EXPECT_EQ(plugin.Dispatch(vst::effSetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&none), &mono), 1);
    plugin.Dispatch(vst::effOpen);
    check(arrangements());
    EXPECT_EQ(arrangements().second, onlyOut);
}

TEST(Dispatcher, EditorRequestsAgreeWithTheEditorFlag)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    vst::ERect* rect = nullptr;
    const intptr_t answer = plugin.Dispatch(vst::effEditGetRect, 0, 0, &rect);
    if ((plugin.effect->flags & vst::effFlagsHasEditor) == 0) {
        EXPECT_EQ(answer, 0);
        EXPECT_EQ(rect, nullptr);
        EXPECT_EQ(plugin.Dispatch(vst::effEditOpen), 0);
        EXPECT_EQ(plugin.Dispatch(vst::effEditClose), 0);
    } else {
        EXPECT_EQ(answer, 1);
        ASSERT_NE(rect, nullptr);
        EXPECT_GT(rect->right - rect->left, 0);
        EXPECT_GT(rect->bottom - rect->top, 0);
    }
}

TEST(Dispatcher, NamesNoMidiKeys)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    vst::MidiKeyName key;
    std::memset(&key, GuardedText::kSentinel, sizeof key);
    key.thisProgramIndex = 0;
    key.thisKeyNumber = 60;
    EXPECT_EQ(plugin.Dispatch(vst::effGetMidiKeyName, 0, 0, &key), 0);
    EXPECT_STREQ(key.keyName, "");
    EXPECT_NE(std::memchr(key.keyName, '\0', sizeof key.keyName), nullptr);
}
