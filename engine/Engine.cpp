#include "engine/Engine.h"

#include "engine/ControlTick.h"
#include "engine/EngineParameters.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace orv::engine {

namespace {

enum Controller : int {
    kModWheel = 1,
    kSustainPedal = 64,
};

}  // namespace

Engine::Engine(SynthGlobals& globals) : settings(globals), voices(kVoiceCount)
{
    batch.SetSimdLevel(BestSimdLevel());
    globalMorphEnvelope.rateScale = Envelope::kPerTickRateScale;
    for (Voice& voice : voices)
        voice.Bind(settings, &pitchBend);
}

void Engine::Reset(double sampleRate, int32_t blockSize)
{
    queue.Resize(blockSize);
    heldNotes.reset();
    voicesSounding = true;  // known again after the next tick
    tickCountdown = 0;

    // A rate below 1 kHz (or none at all) has no control tick: render silence.
    const double rate =
        std::isfinite(sampleRate) && sampleRate >= kControlTicksPerSecond && sampleRate <= 10.0e6 ? sampleRate : 0.0;
    tickLength = static_cast<int32_t>(rate) / kControlTicksPerSecond;
    if (tickLength != mixLength) {
        mixLength = tickLength;
        mixLeft.assign(static_cast<size_t>(mixLength), 0.0);
        mixRight.assign(static_cast<size_t>(mixLength), 0.0);
    }
    batch.Reset(mixLength);
    if (tickLength == 0)
        return;

    modWheel = 0.0;
    pitchBend = 0.0;
    globalMorphEnvelope.rateScale = Envelope::kPerTickRateScale;
    globalMorphEnvelope.Silence();
    noteCounter = 0;

    increments.Build(rate);
    for (Voice& voice : voices) {
        voice.Prepare(rate, increments);
    }

    vibratoLfo.increment = TriangleLfo::IncrementFor(settings.vibratoRate);
    vibratoDepth = settings.vibratoDepth;

    chorus.PrepareDelayLines(rate);
    chorus.SetModulation(settings.airSlowRate, settings.airFastRate, settings.airDepth);
}

void Engine::SetParameter(int index, double value)
{
    switch (index) {
    case kVolume:
        masterVolume = value;
        break;
    case kVariationX:
        variation.x = value;
        MovePads();
        break;
    case kVariationY:
        variation.y = value;
        MovePads();
        break;
    case kVivid:
        for (Voice& voice : voices)
            voice.SetVivid(value);
        break;
    case kAir:
        chorus.mix = value;
        break;
    case kRelease:
        for (Voice& voice : voices)
            voice.SetRelease(value);
        break;
    case kEnvelope:
        for (Voice& voice : voices)
            voice.SetEnvelopeShape(value);
        break;
    case kVariationX2:
        secondVariation.x = value;
        MovePads();
        break;
    case kVariationY2:
        secondVariation.y = value;
        MovePads();
        break;
    case kMorphMode: {
        const double whole = std::trunc(value);
        morphMode = std::isnan(whole) ? 0 : static_cast<int32_t>(std::clamp(whole, -1.0e9, 1.0e9));
        for (Voice& voice : voices)
            voice.SetMorphMode(morphMode);
        break;
    }
    case kMorphRate:
        morphLfo.increment = TriangleLfo::IncrementFor(value * 10.0 * value);
        globalMorphEnvelope.SetDecay(1.0 - value);
        globalMorphEnvelope.SetRelease(1.0 - value);
        for (Voice& voice : voices)
            voice.SetMorphRate(value);
        break;
    default:
        break;
    }
}

void Engine::MovePads()
{
    for (Voice& voice : voices)
        voice.SetPads(variation, secondVariation);
}

bool Engine::Queue(const QueuedMidi& message)
{
    return queue.Insert(message);
}

void Engine::Render(double* left, double* right, int32_t frames)
{
    if (frames <= 0)
        return;
    std::fill(left, left + frames, 0.0);
    std::fill(right, right + frames, 0.0);
    if (tickLength <= 0)
        return;

    int32_t position = 0;
    int32_t remaining = frames;
    while (remaining > 0) {
        int32_t length = 0;
        if (tickCountdown > 0) {
            length = std::min(tickCountdown, remaining);
            tickCountdown -= length;
        } else {
            ProcessQueuedMidi();
            vibratoLfo.Step();
            morphLfo.Step();
            globalMorphEnvelope.Step();
            const double vibrato = modWheel * 128.0 * vibratoDepth * vibratoLfo.output;
            const double morph =
                morphMode == kMorphSwing ? 0.5 + 0.5 * std::sin(morphLfo.output) : globalMorphEnvelope.value;
            if (voicesSounding) {
                voicesSounding = false;
                for (Voice& voice : voices) {
                    if (voice.IsActive()) {
                        voice.UpdateControl(vibrato, morph);
                        voicesSounding = voicesSounding || voice.IsActive();
                    }
                }
            }
            chorus.ControlStep();
            length = tickLength;
            if (remaining < length) {
                length = remaining;
                tickCountdown = tickLength - remaining;
            }
        }

        if (voicesSounding || !chorus.Settled()) {
            // The voices are mono: both mix channels get the same sum.
            std::fill(mixLeft.begin(), mixLeft.end(), 0.0);
            batch.Render(voices, mixLeft.data(), length);
            std::copy(mixLeft.begin(), mixLeft.begin() + length, mixRight.begin());
            chorus.Process(mixLeft.data(), mixRight.data(), left + position, right + position, length);
            for (int32_t i = 0; i < length; ++i) {
                left[position + i] *= masterVolume;
                right[position + i] *= masterVolume;
            }
        } else {
            // Silence in, silence held: the mix would be +0 and so would the
            // chorus output, which the volume turns into +0 times the volume
            // (-0 for a negative one, NaN for NaN).
            chorus.PassSilence(length);
            const double silence = 0.0 * masterVolume;
            if (std::bit_cast<uint64_t>(silence) != 0) {
                std::fill(left + position, left + position + length, silence);
                std::fill(right + position, right + position + length, silence);
            }
        }
        position += length;
        remaining -= length;
    }
}

void Engine::ProcessQueuedMidi()
{
    while (!queue.Empty()) {
        QueuedMidi& message = queue.Front();
        message.offset -= tickLength;
        if (message.offset > 0)
            break;
        const QueuedMidi due = message;
        queue.PopFront();
        Dispatch(due);
    }
    queue.Compact();
    // Every waiting message loses one tick per tick, so it plays at the tick
    // whose window holds its frame whatever the host's block size.
    queue.ShiftOffsetsBehindFront(tickLength);
}

void Engine::Dispatch(const QueuedMidi& message)
{
    switch (message.status >> 4) {
    case kMidiNoteOn:
        if (message.data2 != 0) {
            NoteOn(message.data1, message.data2);
            break;
        }
        [[fallthrough]];
    case kMidiNoteOff:
        NoteOff(message.data1);
        break;
    case kMidiPitchBend:
        pitchBend = ((message.data2 - 64) * 128 + message.data1) / 8192.0;
        break;
    case kMidiControlChange:
        ControllerChange(message.data1, message.data2);
        break;
    default:
        break;
    }
}

void Engine::ControllerChange(int controller, int value)
{
    if (controller == kModWheel) {
        modWheel = value / 127.0;
    } else if (controller == kSustainPedal) {
        if (value / 127.0 > 0.0) {
            for (Voice& voice : voices)
                voice.SetSustained(true);
        } else {
            for (Voice& voice : voices) {
                voice.SetSustained(false);
                if (!voice.IsKeyHeld())
                    voice.Release();
            }
        }
    } else if (controlMap != nullptr && controller >= 0 && controller < kControllerCount) {
        const int32_t target = controlMap[controller];
        if (target >= 0 && target < kOrvParameterCount && listener != nullptr)
            listener->LearnedControllerMoved(target, value / 127.0);
    }
}

int Engine::ChooseVoice(int note) const
{
    for (int i = 0; i < kVoiceCount; ++i)
        if (voices[static_cast<size_t>(i)].Note() == note)
            return i;
    for (int i = 0; i < kVoiceCount; ++i)
        if (!voices[static_cast<size_t>(i)].IsActive())
            return i;
    int oldest = 0;
    for (int i = 1; i < kVoiceCount; ++i)
        if (voices[static_cast<size_t>(i)].Serial() < voices[static_cast<size_t>(oldest)].Serial())
            oldest = i;
    return oldest;
}

void Engine::NoteOn(int note, int velocity)
{
    if (tuning != nullptr && tuning->MasterPresent() && tuning->ShouldFilterNote(note & 127))
        return;
    heldNotes.set(static_cast<size_t>(note & 127));
    const int chosen = ChooseVoice(note);
    ++noteCounter;
    if (heldNotes.count() == 1)
        globalMorphEnvelope.StartDecayFromTop();
    const int32_t pitch = NoteToPitch(tuning, note);
    voices[static_cast<size_t>(chosen)].Start(note, pitch, velocity, noteCounter);
    voicesSounding = true;
}

void Engine::NoteOff(int note)
{
    heldNotes.reset(static_cast<size_t>(note & 127));
    for (Voice& voice : voices) {
        if (voice.IsActive() && voice.Note() == note) {
            voice.Release();
            return;
        }
    }
}

void Engine::ReleaseAllNotes()
{
    heldNotes.reset();
    for (Voice& voice : voices) {
        voice.SetSustained(false);
        voice.Release();
    }
}

}  // namespace orv::engine
