#include "instrument/ORV.h"

#include "editor/Graphics.h"
#include "engine/EngineParameters.h"
#include "instrument/OrvBall.h"
#include "instrument/SynthGlobalsFile.h"

#include <algorithm>

namespace orv::instrument {

namespace {

constexpr int kAllSoundOff = 120;
constexpr int kAllNotesOff = 123;

}  // namespace

framework::PluginDescription ORV::Describe()
{
    framework::PluginDescription description;
    description.effectName = "ORV";
    description.productName = "";
    description.vendorName = "Tarnwick";
    description.uniqueId = framework::vst::FourCC('O', 'R', 'V', '1');
    description.version = kVersion;
    description.channelIo = "0-2";
    description.parameterCount = kParameterCount;
    description.programCount = kProgramCount;
    description.isInstrument = true;
    description.takesMidi = true;
    description.doesChunks = true;
    return description;
}

ORV::ORV(framework::vst::HostCallback hostCallback)
    : Synth(Describe(), hostCallback), engine(engine::GlobalSynthSettings())
{
    engine.SetTuning(Tuning());
    engine.SetControlMap(ControlMap());
    engine.SetListener(this);
    ReadConfiguration();
    DefineParameters();
    CreateEditorLayout();
    RefreshParameterControls();
    // Before any program is loaded, so that each control's double-click
    // default is its parameter's declared default.
    AttachEditor(EditorGraphics());
    // The chosen startup bank, else the factory bank.
    if (startupBankPath.empty() || !ReadBankFile(startupBankPath.c_str())) {
        startupBankPath.clear();
        LoadStartupBank();
    }
}

Synth::ConfigStatus ORV::ReadConfiguration()
{
    const platform::ProfileSnapshot file(IniPath());
    if (!IniPath().empty())
        ReadSynthGlobals(file, engine::GlobalSynthSettings());
    ResetProcessing();
    return ReadShellSettings(file);
}

void ORV::ResetProcessing()
{
    LockGuard guard(GetLock());
    Synth::ResetProcessing();
    engine.Reset(SampleRate(), BlockSize());
}

void ORV::ParameterChanged(int index)
{
    LockGuard guard(GetLock());
    Synth::ParameterChanged(index);
    if (IsValidParameter(index))
        engine.SetParameter(index, GetParameter(index).value);
}

void ORV::RenderBlock(double** /*inputs*/, double** outputs, int32_t frames)
{
    if (frames <= 0 || outputs[0] == nullptr || outputs[1] == nullptr) {
        framework::PluginBase::RenderBlock(nullptr, outputs, frames);
        return;
    }
    engine.Render(outputs[0], outputs[1], frames);
}

void ORV::HandleMidiMessage(const framework::MidiMessage& message)
{
    if (midiThru)
        SendMidiToHost(message);
    const engine::QueuedMidi queued{message.offset, message.status, message.data1, message.data2};
    switch (message.status >> 4) {
    case engine::kMidiNoteOff:
    case engine::kMidiNoteOn:
    case engine::kMidiPitchBend:
        engine.Queue(queued);
        break;
    case engine::kMidiControlChange:
        if (message.data1 < Synth::kControllerCount) {
            if (learnArmed)
                LearnController(message.data1);  // captured, not played
            else
                engine.Queue(queued);
        } else if (message.data1 == kAllSoundOff || message.data1 == kAllNotesOff) {
            ReleaseAllNotes();
        }
        break;
    case engine::kMidiProgramChange:
        if (!ignoreProgramChange)
            RecallProgram(message.data1);
        break;
    default:
        break;
    }
}

void ORV::ReleaseAllNotes()
{
    engine.ReleaseAllNotes();
}

void ORV::LearnedControllerMoved(int parameterIndex, double normalised)
{
    if (!IsValidParameter(parameterIndex))
        return;
    if (GetParameter(parameterIndex).GetNormalised() != normalised) {
        SetParameterFromEditor(parameterIndex, normalised);
        PushParameterToControls(parameterIndex, normalised, true);
    }
}

void ORV::IdleTick()
{
    editor::Graphics* context = EditorGraphics();
    if (context == nullptr)
        return;
    if (relayoutPending && !context->InControlCall())
        RelayOutPanel(ChosenScaleIndex());
    if (context->HasWindow())
        PlaceBalls();
}

void ORV::PlaceBalls()
{
    LockGuard guard(GetLock());
    if (pad == nullptr)
        return;
    pad->SetBallPosition(GetParameter(engine::kVariationX).value, GetParameter(engine::kVariationY).value, false);
    pad->SetBallPosition(GetParameter(engine::kVariationX2).value, GetParameter(engine::kVariationY2).value, true);
}

}  // namespace orv::instrument
