// The VST 2 binary interface between a host and a plug-in, written from the
// publicly documented layout. Everything here is plain C-compatible data laid
// out with natural alignment, which is what hosts on Windows (MSVC, 8-byte
// packing) and Linux (System V) expect on both 32- and 64-bit targets.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orv::framework {

namespace vst {

struct AEffect;

using HostCallback = intptr_t (*)(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
using DispatcherProc = intptr_t (*)(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                    float opt);
using ProcessProc = void (*)(AEffect* effect, float** inputs, float** outputs, int32_t frames);
using ProcessDoubleProc = void (*)(AEffect* effect, double** inputs, double** outputs, int32_t frames);
using SetParameterProc = void (*)(AEffect* effect, int32_t index, float value);
using GetParameterProc = float (*)(AEffect* effect, int32_t index);

// Four-character codes: first character in the most significant byte.
constexpr int32_t FourCC(char a, char b, char c, char d)
{
    return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint8_t>(a)) << 24) |
                                (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 16) |
                                (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 8) |
                                static_cast<uint32_t>(static_cast<uint8_t>(d)));
}

constexpr int32_t kEffectMagic = FourCC('V', 's', 't', 'P');

struct AEffect {
    int32_t magic;
    DispatcherProc dispatcher;
    ProcessProc process;  // accumulating
    SetParameterProc setParameter;
    GetParameterProc getParameter;
    int32_t numPrograms;
    int32_t numParams;
    int32_t numInputs;
    int32_t numOutputs;
    int32_t flags;
    intptr_t reserved1;
    intptr_t reserved2;
    int32_t initialDelay;
    int32_t realQualities;
    int32_t offQualities;
    float ioRatio;
    void* object;
    void* user;
    int32_t uniqueID;
    int32_t version;
    ProcessProc processReplacing;
    ProcessDoubleProc processDoubleReplacing;
    char future[56];
};

enum EffectFlags : int32_t {
    effFlagsHasEditor = 1 << 0,
    effFlagsCanMono = 1 << 3,
    effFlagsCanReplacing = 1 << 4,
    effFlagsProgramChunks = 1 << 5,
    effFlagsIsSynth = 1 << 8,
    effFlagsNoSoundInStop = 1 << 9,
    effFlagsCanDoubleReplacing = 1 << 12,
};

enum EffectOpcode : int32_t {
    effOpen = 0,
    effClose = 1,
    effSetProgram = 2,
    effGetProgram = 3,
    effSetProgramName = 4,
    effGetProgramName = 5,
    effGetParamLabel = 6,
    effGetParamDisplay = 7,
    effGetParamName = 8,
    effSetSampleRate = 10,
    effSetBlockSize = 11,
    effMainsChanged = 12,
    effEditGetRect = 13,
    effEditOpen = 14,
    effEditClose = 15,
    effEditIdle = 19,
    effIdentify = 22,
    effGetChunk = 23,
    effSetChunk = 24,
    effProcessEvents = 25,
    effCanBeAutomated = 26,
    effString2Parameter = 27,
    effGetProgramNameIndexed = 29,
    effGetInputProperties = 33,
    effGetOutputProperties = 34,
    effGetPlugCategory = 35,
    effProcessVarIo = 41,
    effSetSpeakerArrangement = 42,
    effSetBypass = 44,
    effGetEffectName = 45,
    effGetVendorString = 47,
    effGetProductString = 48,
    effGetVendorVersion = 49,
    effVendorSpecific = 50,
    effCanDo = 51,
    effGetTailSize = 52,
    effIdle = 53,
    effGetParameterProperties = 56,
    effGetVstVersion = 58,
    effEditKeyDown = 59,  // index: the character, value: a VstVirtualKey, opt: modifier bits
    effEditKeyUp = 60,
    effGetMidiKeyName = 66,
    effBeginSetProgram = 67,
    effEndSetProgram = 68,
    effGetSpeakerArrangement = 69,
    effStartProcess = 71,
    effStopProcess = 72,
};

// The key codes of effEditKeyDown/effEditKeyUp's value (0: a character key,
// see index). Only the ones the editor reads are named.
enum VstVirtualKey : int32_t {
    VKEY_BACK = 1,
    VKEY_RETURN = 4,
    VKEY_ESCAPE = 6,
    VKEY_SPACE = 7,
    VKEY_END = 9,
    VKEY_HOME = 10,
    VKEY_LEFT = 11,
    VKEY_UP = 12,
    VKEY_RIGHT = 13,
    VKEY_DOWN = 14,
    VKEY_ENTER = 19,
    VKEY_DELETE = 22,
    VKEY_NUMPAD0 = 24,
    VKEY_NUMPAD9 = 33,
};

enum HostOpcode : int32_t {
    audioMasterAutomate = 0,
    audioMasterVersion = 1,
    audioMasterCurrentId = 2,
    audioMasterIdle = 3,
    audioMasterWantMidi = 6,
    audioMasterGetTime = 7,
    audioMasterProcessEvents = 8,
    audioMasterIOChanged = 13,
    audioMasterSizeWindow = 15,
    audioMasterGetSampleRate = 16,
    audioMasterGetBlockSize = 17,
    audioMasterGetCurrentProcessLevel = 23,
    audioMasterGetVendorString = 32,
    audioMasterGetProductString = 33,
    audioMasterGetVendorVersion = 34,
    audioMasterCanDo = 37,
    audioMasterUpdateDisplay = 42,
    audioMasterBeginEdit = 43,
    audioMasterEndEdit = 44,
};

enum PlugCategory : int32_t {
    kPlugCategUnknown = 0,
    kPlugCategEffect = 1,
    kPlugCategSynth = 2,
};

constexpr int32_t kVstProcessLevelOffline = 4;

// Buffer sizes (terminating zero included) that the protocol guarantees.
constexpr size_t kVstMaxProgNameLen = 24;
constexpr size_t kVstMaxParamStrLen = 8;
constexpr size_t kVstMaxVendorStrLen = 64;
constexpr size_t kVstMaxProductStrLen = 64;
constexpr size_t kVstMaxEffectNameLen = 32;
constexpr size_t kVstMaxNameLen = 64;
constexpr size_t kVstMaxLabelLen = 64;
constexpr size_t kVstMaxShortLabelLen = 8;
// Parameter names, labels and display texts: the extended size of the 2.4
// interface, which every common host provides (the classic 8 is too short
// for names such as "Variation X2").
constexpr size_t kVstExtMaxParamStrLen = 32;

// --- events -------------------------------------------------------------

enum EventType : int32_t {
    kVstMidiType = 1,
    kVstSysExType = 6,
};

struct VstEvent {
    int32_t type;
    int32_t byteSize;
    int32_t deltaFrames;
    int32_t flags;
    char data[16];
};

struct VstEvents {
    int32_t numEvents;
    intptr_t reserved;
    VstEvent* events[2];  // the sender allocates numEvents entries
};

// The entries of a list, all numEvents of them: read through this pointer,
// not by indexing the two-entry array the record declares.
inline VstEvent* const* EventsOf(const VstEvents& list)
{
    return list.events;
}

struct VstMidiEvent {
    int32_t type;
    int32_t byteSize;
    int32_t deltaFrames;
    int32_t flags;
    int32_t noteLength;
    int32_t noteOffset;
    char midiData[4];
    char detune;
    char noteOffVelocity;
    char reserved1;
    char reserved2;
};

struct VstMidiSysexEvent {
    int32_t type;
    int32_t byteSize;
    int32_t deltaFrames;
    int32_t flags;
    int32_t dumpBytes;
    intptr_t resvd1;
    char* sysexDump;
    intptr_t resvd2;
};

// --- time ---------------------------------------------------------------

enum TimeInfoFlags : int32_t {
    kVstTransportChanged = 1,
    kVstTransportPlaying = 1 << 1,
    kVstTransportCycleActive = 1 << 2,
    kVstTransportRecording = 1 << 3,
    kVstNanosValid = 1 << 8,
    kVstPpqPosValid = 1 << 9,
    kVstTempoValid = 1 << 10,
    kVstBarsValid = 1 << 11,
    kVstCyclePosValid = 1 << 12,
    kVstTimeSigValid = 1 << 13,
    kVstSmpteValid = 1 << 14,
    kVstClockValid = 1 << 15,
};

struct VstTimeInfo {
    double samplePos;
    double sampleRate;
    double nanoSeconds;
    double ppqPos;
    double tempo;
    double barStartPos;
    double cycleStartPos;
    double cycleEndPos;
    int32_t timeSigNumerator;
    int32_t timeSigDenominator;
    int32_t smpteOffset;
    int32_t smpteFrameRate;
    int32_t samplesToNextClock;
    int32_t flags;
};

// --- editor, pins, speakers, key names -----------------------------------

struct ERect {
    int16_t top;
    int16_t left;
    int16_t bottom;
    int16_t right;
};

enum PinFlags : int32_t {
    kVstPinIsActive = 1,
    kVstPinIsStereo = 1 << 1,
    kVstPinUseSpeaker = 1 << 2,
};

struct VstPinProperties {
    char label[kVstMaxLabelLen];
    int32_t flags;
    int32_t arrangementType;
    char shortLabel[kVstMaxShortLabelLen];
    char future[48];
};

enum SpeakerArrangementType : int32_t {
    kSpeakerArrUserDefined = -2,
    kSpeakerArrEmpty = -1,
    kSpeakerArrMono = 0,
    kSpeakerArrStereo = 1,
};

struct VstSpeakerProperties {
    float azimuth;
    float elevation;
    float radius;
    float reserved;
    char name[kVstMaxNameLen];
    int32_t type;
    char future[28];
};

struct VstSpeakerArrangement {
    int32_t type;
    int32_t numChannels;
    VstSpeakerProperties speakers[8];
};

struct MidiKeyName {
    int32_t thisProgramIndex;
    int32_t thisKeyNumber;
    char keyName[kVstMaxNameLen];
    int32_t reserved;
    int32_t flags;
};

// --- layout checks: the same numbers a host compiled elsewhere uses --------

constexpr size_t kPtr = sizeof(void*);
static_assert(kPtr == 4 || kPtr == 8);

static_assert(offsetof(AEffect, dispatcher) == kPtr);
static_assert(offsetof(AEffect, numPrograms) == 5 * kPtr);
static_assert(offsetof(AEffect, flags) == 5 * kPtr + 16);
static_assert(offsetof(AEffect, reserved1) == (kPtr == 8 ? 64 : 40));
static_assert(offsetof(AEffect, initialDelay) == (kPtr == 8 ? 80 : 48));
static_assert(offsetof(AEffect, ioRatio) == (kPtr == 8 ? 92 : 60));
static_assert(offsetof(AEffect, object) == (kPtr == 8 ? 96 : 64));
static_assert(offsetof(AEffect, uniqueID) == (kPtr == 8 ? 112 : 72));
static_assert(offsetof(AEffect, processReplacing) == (kPtr == 8 ? 120 : 80));
static_assert(offsetof(AEffect, processDoubleReplacing) == (kPtr == 8 ? 128 : 84));
static_assert(sizeof(AEffect) == (kPtr == 8 ? 192 : 144));

static_assert(sizeof(VstEvent) == 32);
static_assert(offsetof(VstEvents, events) == 2 * kPtr);
static_assert(sizeof(VstMidiEvent) == 32);
static_assert(offsetof(VstMidiEvent, midiData) == 24);
static_assert(offsetof(VstMidiEvent, detune) == 28);
static_assert(offsetof(VstMidiSysexEvent, dumpBytes) == 16);
static_assert(offsetof(VstMidiSysexEvent, sysexDump) == (kPtr == 8 ? 32 : 24));
static_assert(sizeof(VstMidiSysexEvent) == (kPtr == 8 ? 48 : 32));

static_assert(offsetof(VstTimeInfo, timeSigNumerator) == 64);
static_assert(offsetof(VstTimeInfo, flags) == 84);
static_assert(sizeof(VstTimeInfo) == 88);

static_assert(sizeof(ERect) == 8);
static_assert(offsetof(VstPinProperties, flags) == 64);
static_assert(offsetof(VstPinProperties, shortLabel) == 72);
static_assert(sizeof(VstPinProperties) == 128);
static_assert(sizeof(VstSpeakerProperties) == 112);
static_assert(sizeof(VstSpeakerArrangement) == 8 + 8 * 112);
static_assert(offsetof(MidiKeyName, keyName) == 8);
static_assert(sizeof(MidiKeyName) == 80);

}  // namespace vst

}  // namespace orv::framework
