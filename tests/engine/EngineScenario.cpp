#include "tests/engine/EngineScenario.h"

#include "engine/Tuning.h"

#include <algorithm>
#include <iterator>
#include <random>

using namespace orv::engine;

namespace {

double Uniform(std::mt19937& random, double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(random);
}

int UniformInt(std::mt19937& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

// Settings as an INI file might give them.
void RandomSettings(std::mt19937& random, SynthGlobals& g, bool wild)
{
    g.pitchBendRange = UniformInt(random, 0, 24);
    g.vibratoRate = Uniform(random, 0.0, 12.0);
    g.vibratoDepth = Uniform(random, 0.0, 2.0);
    g.velocity = Uniform(random, 0.0, 1.0);
    for (int m = 0; m < kModelCount; ++m) {
        g.modelVolume[m] = Uniform(random, 0.0, 1.2);
        g.modelTranspose[m] = UniformInt(random, -24, 24);
        g.modelTuning[m] = UniformInt(random, -128, 128);
    }
    g.woodFilterVolume = Uniform(random, wild ? -0.5 : 0.0, 1.0);
    g.woodFilterCutoff = Uniform(random, 0.25, 4.0);
    g.woodFilterResonance = Uniform(random, 0.0, 1.0);
    g.woodFilterBreak = Uniform(random, 0.1, 0.9);
    g.filterCutoff = Uniform(random, 0.5, 8.0);
    g.filterResonance = Uniform(random, 0.0, 1.0);
    g.filterEnvAmount = wild ? Uniform(random, -6.0, 6.0) : Uniform(random, 0.0, 2.0);
    g.filterBreak = Uniform(random, 0.1, 0.9);
    g.masterBreak = Uniform(random, 0.1, 0.9);
    for (EnvelopeBlend* blend : {&g.woodFilterEnvelope, &g.filterEnvelope, &g.masterEnvelope}) {
        for (double* value :
             {&blend->attackSoft, &blend->attackBreak, &blend->attackPerc, &blend->decaySoft, &blend->decayBreak,
              &blend->decayPerc, &blend->sustainSoft, &blend->sustainBreak, &blend->sustainPerc})
            *value = Uniform(random, 0.0, 1.0);
    }
    g.phaserCenter = wild ? Uniform(random, -8.0, 40.0) : Uniform(random, 0.5, 8.0);
    g.phaserResonance = Uniform(random, 0.0, wild ? 3.0 : 1.0);
    g.phaserRate = Uniform(random, 0.0, 5.0);
    g.phaserDepth = Uniform(random, 0.0, 1.0);
    g.tremoloRate = Uniform(random, 0.0, 12.0);
    g.tremoloDepth = Uniform(random, 0.0, 1.0);
    if (wild)
        g.woodFilterResonance = Uniform(random, 0.0, 3.0);
}

double RandomParameter(std::mt19937& random, int index)
{
    switch (index) {
    case kVolume:
        return Uniform(random, 0.0, 1.0);
    case kVariationX:
    case kVariationY:
    case kVariationX2:
    case kVariationY2: {
        const int pick = UniformInt(random, 0, 9);
        return pick == 0 ? 0.0 : pick == 1 ? -1.0 : pick == 2 ? 1.0 : Uniform(random, -1.0, 1.0);
    }
    case kMorphMode:
        return UniformInt(random, 0, 3);
    case kRelease:
        return UniformInt(random, 0, 3) == 0 ? Uniform(random, 0.0, 1.0) : Uniform(random, 0.0, 0.45);
    default:
        return Uniform(random, 0.0, 1.0);
    }
}

void SortByFrame(std::vector<StreamEvent>& events)
{
    std::stable_sort(events.begin(), events.end(),
                     [](const StreamEvent& a, const StreamEvent& b) { return a.frame < b.frame; });
}

}  // namespace

Scenario MakeScenario(uint32_t seed, bool wild, double lengthScale)
{
    std::mt19937 random(seed);
    Scenario s;
    s.seed = seed;
    constexpr double kRates[] = {22050.0, 32000.0, 44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0};
    s.sampleRate = UniformInt(random, 0, 4) == 0 ? Uniform(random, 22050.0, 192000.0)
                                                 : kRates[UniformInt(random, 0, std::size(kRates) - 1)];
    constexpr int32_t kBlocks[] = {1, 2, 7, 31, 44, 64, 100, 128, 256, 441, 512, 1024, 2048};
    s.maxBlock = kBlocks[UniformInt(random, 0, std::size(kBlocks) - 1)];
    RandomSettings(random, s.settings, wild);
    for (int i = 0; i < kOrvParameterCount; ++i)
        s.parameters[i] = RandomParameter(random, i);

    // A fraction of a second; blocks of varying size.
    const int64_t length = static_cast<int64_t>(s.sampleRate * Uniform(random, 0.1, 0.4) * lengthScale);
    for (int64_t done = 0; done < length;) {
        const int32_t n = UniformInt(random, 0, 3) == 0 ? UniformInt(random, 1, s.maxBlock) : s.maxBlock;
        s.blocks.push_back(n);
        done += n;
    }

    // Chords, runs and repeated notes, up to past the 64 voices; pedal, bend,
    // mod wheel, other controllers; parameter changes; "release all".
    const int density = UniformInt(random, 1, 4);
    const int eventCount = static_cast<int>(length / s.sampleRate * 60.0 * density);
    for (int e = 0; e < eventCount; ++e) {
        StreamEvent event;
        event.frame = static_cast<int64_t>(Uniform(random, 0.0, static_cast<double>(length)));
        const int what = UniformInt(random, 0, 99);
        if (what < 45) {
            const int note = UniformInt(random, 0, 3) == 0 ? UniformInt(random, 0, 127) : UniformInt(random, 36, 96);
            const int velocity = UniformInt(random, 0, 9) == 0 ? 0 : UniformInt(random, 1, 127);
            event.midi = QueuedMidi{0, 0x90, static_cast<uint8_t>(note), static_cast<uint8_t>(velocity)};
        } else if (what < 75) {
            event.midi = QueuedMidi{0, 0x80, static_cast<uint8_t>(UniformInt(random, 36, 96)), 64};
        } else if (what < 80) {
            event.midi =
                QueuedMidi{0, 0xB0, 64, static_cast<uint8_t>(UniformInt(random, 0, 1) * UniformInt(random, 0, 127))};
        } else if (what < 85) {
            event.midi = QueuedMidi{0, 0xE0, static_cast<uint8_t>(UniformInt(random, 0, 127)),
                                    static_cast<uint8_t>(UniformInt(random, 0, 127))};
        } else if (what < 89) {
            event.midi = QueuedMidi{0, 0xB0, static_cast<uint8_t>(UniformInt(random, 0, 3) == 0 ? 7 : 1),
                                    static_cast<uint8_t>(UniformInt(random, 0, 127))};
        } else if (what < 98) {
            event.kind = StreamEvent::kParameter;
            event.parameter = UniformInt(random, 0, kOrvParameterCount - 1);
            event.value = RandomParameter(random, event.parameter);
        } else {
            event.kind = StreamEvent::kReleaseAll;
        }
        s.events.push_back(event);
    }
    // A burst of more notes than there are voices, to make voices steal.
    if (UniformInt(random, 0, 2) == 0) {
        const int64_t at = static_cast<int64_t>(Uniform(random, 0.0, static_cast<double>(length) / 2));
        for (int n = 0; n < 70; ++n) {
            StreamEvent event;
            event.frame = at + UniformInt(random, 0, 64);
            event.midi =
                QueuedMidi{0, 0x90, static_cast<uint8_t>(20 + n), static_cast<uint8_t>(UniformInt(random, 1, 127))};
            s.events.push_back(event);
        }
    }
    SortByFrame(s.events);
    return s;
}

Scenario MakePoleScenario()
{
    // At the end of the attack the filter envelope is exactly 1, so with this
    // envelope amount the cutoff of note 69 is exactly -2 for one sample: the
    // coefficients divide by zero (G = -inf, G^4 = inf, and without resonance
    // 1 / (1 + 0 G^4) is NaN).
    Scenario s;
    s.seed = 7;
    s.sampleRate = 44100.0;
    s.maxBlock = 64;
    s.settings.filterResonance = 0.0;
    s.settings.filterCutoff = 1.5;
    const double baseCutoff = PitchToFrequency(69 * 128) * (s.settings.filterCutoff * (6.283185307179586 / 44100.0));
    s.settings.filterEnvAmount = -2.0 - baseCutoff;
    const double parameters[kOrvParameterCount] = {0.5, -0.5, 0.3, 0.6, 0.4, 0.2, 0.3, 0.0, 0.0, 0.0, 0.0, 0.3};
    for (int i = 0; i < kOrvParameterCount; ++i)
        s.parameters[i] = parameters[i];
    for (int block = 0; block < 200; ++block)
        s.blocks.push_back(block % 3 == 0 ? 17 : 64);
    for (int note : {69, 60, 64, 67, 72, 76, 79, 81, 84}) {
        StreamEvent event;
        event.frame = note == 69 ? 0 : 100 * (note - 59);
        event.midi = QueuedMidi{0, 0x90, static_cast<uint8_t>(note), 100};
        s.events.push_back(event);
    }
    SortByFrame(s.events);
    return s;
}

Scenario MakeSilenceScenario(double rate, const std::vector<int32_t>& blockPattern, double volume, double air)
{
    // Frames at which the phases start, in seconds: gaps of 0.3 s outlast the
    // release (about 5 ms at Release 0) and the chorus lines (16 ms).
    constexpr double kFirstNotes = 0.01, kFirstRelease = 0.06, kSecondNotes = 0.4, kVolumeChange = 0.45,
                     kSecondRelease = 0.5, kThirdNotes = 0.8, kEnd = 1.0;
    Scenario s;
    s.seed = static_cast<uint32_t>(rate) + static_cast<uint32_t>(blockPattern.front());
    s.sampleRate = rate;
    s.maxBlock = *std::max_element(blockPattern.begin(), blockPattern.end());
    const double parameters[kOrvParameterCount] = {volume, 0.3, -0.2, 0.6, air, 0.0, 0.4, 0.0, 0.0, 0.0, 0.0, 0.3};
    std::copy(std::begin(parameters), std::end(parameters), s.parameters);
    for (int64_t done = 0; done < static_cast<int64_t>(kEnd * rate);) {
        s.blocks.push_back(blockPattern[s.blocks.size() % blockPattern.size()]);
        done += s.blocks.back();
    }
    auto at = [&](double seconds) { return static_cast<int64_t>(seconds * rate); };
    for (double start : {kFirstNotes, kSecondNotes, kThirdNotes})
        for (int note : {48, 55, 64}) {
            StreamEvent on;
            on.frame = at(start) + note;
            on.midi = QueuedMidi{0, 0x90, static_cast<uint8_t>(note), 100};
            s.events.push_back(on);
        }
    for (double end : {kFirstRelease, kSecondRelease})
        for (int note : {48, 55, 64}) {
            StreamEvent off;
            off.frame = at(end);
            off.midi = QueuedMidi{0, 0x80, static_cast<uint8_t>(note), 64};
            s.events.push_back(off);
        }
    StreamEvent louder;
    louder.kind = StreamEvent::kParameter;
    louder.frame = at(kVolumeChange);
    louder.parameter = kVolume;
    louder.value = 0.9;
    s.events.push_back(louder);
    SortByFrame(s.events);
    return s;
}

ScenarioOutput PlayScenario(const Scenario& scenario, SimdLevel level)
{
    SynthGlobals settings = scenario.settings;
    Engine engine(settings);
    engine.SetSimdLevel(level);
    engine.Reset(scenario.sampleRate, scenario.maxBlock);
    for (int i = 0; i < kOrvParameterCount; ++i)
        engine.SetParameter(i, scenario.parameters[i]);

    ScenarioOutput out;
    size_t next = 0;
    int64_t start = 0;
    for (const int32_t n : scenario.blocks) {
        for (; next < scenario.events.size() && scenario.events[next].frame < start + n; ++next) {
            const StreamEvent& event = scenario.events[next];
            switch (event.kind) {
            case StreamEvent::kMidi: {
                QueuedMidi message = event.midi;
                message.offset = static_cast<int32_t>(event.frame - start);
                engine.Queue(message);
                break;
            }
            case StreamEvent::kParameter:
                engine.SetParameter(event.parameter, event.value);
                break;
            case StreamEvent::kReleaseAll:
                engine.ReleaseAllNotes();
                break;
            }
        }
        out.left.resize(static_cast<size_t>(start + n));
        out.right.resize(out.left.size());
        engine.Render(out.left.data() + start, out.right.data() + start, n);
        start += n;
    }
    return out;
}
