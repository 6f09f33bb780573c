// The engine renders several voices at once (SIMD lanes across voices). That
// must not change a single output bit: here random patches, settings and MIDI
// streams are played through the engine and through a frozen copy of the
// one-voice-at-a-time renderer (reference/), at many sample rates and block
// sizes, and every sample and the state of every voice must be identical.
// Each instruction set the machine offers is checked against the reference.
#include "reference/ReferenceEngine.h"

#include "Engine.h"
#include "EngineParameters.h"
#include "SimdLevel.h"
#include "SynthGlobals.h"
#include "Tuning.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Something that happens at a frame of the stream. MIDI goes into the queue
// of the block holding the frame; parameter changes and "release all" (what
// controllers 120 and 123 do) happen before that block is rendered.
struct StreamEvent {
    enum Kind { kMidi, kParameter, kReleaseAll } kind = kMidi;
    int64_t frame = 0;
    QueuedMidi midi;
    int parameter = 0;
    double value = 0.0;
};

struct Scenario {
    uint32_t seed = 0;
    double sampleRate = 44100.0;
    int32_t maxBlock = 512;
    std::vector<int32_t> blocks;  // host block sizes, in order
    SynthGlobals settings;
    double parameters[kOrvParameterCount] = {};
    std::vector<StreamEvent> events;  // in frame order
};

// Unoptimised (debug and sanitizer) builds play a few short scenarios; the
// full sweep runs in optimised builds.
#if defined(NDEBUG)
constexpr uint32_t kScenarios = 32;
constexpr uint32_t kWildScenarios = 10;
constexpr double kLengthScale = 1.0;
#else
constexpr uint32_t kScenarios = 8;
constexpr uint32_t kWildScenarios = 4;
constexpr double kLengthScale = 0.5;
#endif

double Uniform(std::mt19937& random, double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(random);
}

int UniformInt(std::mt19937& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

// Settings as an INI file might give them; "wild" ones go beyond what makes
// musical sense (negative envelope amounts, cutoffs crossing the filters'
// poles) so that NaN and infinity reach the filters' guards.
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
        for (double* value : {&blend->attackSoft, &blend->attackBreak, &blend->attackPerc, &blend->decaySoft,
                              &blend->decayBreak, &blend->decayPerc, &blend->sustainSoft, &blend->sustainBreak,
                              &blend->sustainPerc})
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
    case kVolume: return Uniform(random, 0.0, 1.0);
    case kVariationX:
    case kVariationY:
    case kVariationX2:
    case kVariationY2: {
        const int pick = UniformInt(random, 0, 9);
        return pick == 0 ? 0.0 : pick == 1 ? -1.0 : pick == 2 ? 1.0 : Uniform(random, -1.0, 1.0);
    }
    case kMorphMode: return UniformInt(random, 0, 3);
    case kRelease: return UniformInt(random, 0, 3) == 0 ? Uniform(random, 0.0, 1.0) : Uniform(random, 0.0, 0.45);
    default: return Uniform(random, 0.0, 1.0);
    }
}

Scenario MakeScenario(uint32_t seed, bool wild)
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
    const int64_t length = static_cast<int64_t>(s.sampleRate * Uniform(random, 0.1, 0.4) * kLengthScale);
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
            event.midi = QueuedMidi{0, 0xB0, 64, static_cast<uint8_t>(UniformInt(random, 0, 1) * UniformInt(random, 0, 127))};
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
            event.midi = QueuedMidi{0, 0x90, static_cast<uint8_t>(20 + n), static_cast<uint8_t>(UniformInt(random, 1, 127))};
            s.events.push_back(event);
        }
    }
    std::stable_sort(s.events.begin(), s.events.end(),
                     [](const StreamEvent& a, const StreamEvent& b) { return a.frame < b.frame; });
    return s;
}

// Everything of a voice that decides its future sound.
std::string VoiceDifference(const Voice& fast, const reference::Voice& slow)
{
    std::string out;
    auto check = [&](const char* name, double a, double b) {
        if (!SameBits(a, b))
            out += std::string(name) + ": " + std::to_string(a) + " vs reference " + std::to_string(b) + "; ";
    };
    if (fast.active != slow.active)
        out += "active differs; ";
    const Envelope* envelopes[] = {&fast.envWoodFilter, &fast.envFilter, &fast.envMaster, &fast.envMorph};
    const reference::Envelope* referenceEnvelopes[] = {&slow.envWoodFilter, &slow.envFilter, &slow.envMaster,
                                                       &slow.envMorph};
    for (int e = 0; e < 4; ++e) {
        check("envelope value", envelopes[e]->value, referenceEnvelopes[e]->value);
        check("envelope previous", envelopes[e]->previous, referenceEnvelopes[e]->previous);
        check("envelope target", envelopes[e]->target, referenceEnvelopes[e]->target);
        check("envelope coefficient", envelopes[e]->coefficient, referenceEnvelopes[e]->coefficient);
        if (envelopes[e]->stage != referenceEnvelopes[e]->stage)
            out += "envelope " + std::to_string(e) + " stage; ";
    }
    const LadderFilter* ladders[] = {&fast.woodFilter, &fast.mainFilter};
    const reference::LadderFilter* referenceLadders[] = {&slow.woodFilter, &slow.mainFilter};
    for (int f = 0; f < 2; ++f) {
        const LadderFilter& a = *ladders[f];
        const reference::LadderFilter& b = *referenceLadders[f];
        check("ladder cutoff", a.cutoff, b.cutoff);
        check("ladder cached cutoff", a.cachedCutoff, b.cachedCutoff);
        check("ladder g", a.g, b.g);
        check("ladder g4", a.g4, b.g4);
        check("ladder b", a.b, b.b);
        check("ladder feedback", a.feedback, b.feedback);
        check("ladder normalise", a.normalise, b.normalise);
        check("ladder gain", a.gain, b.gain);
        check("ladder s1", a.s1, b.s1);
        check("ladder s2", a.s2, b.s2);
        check("ladder s3", a.s3, b.s3);
        check("ladder s4", a.s4, b.s4);
        check("ladder offset", a.denormalOffset, b.denormalOffset);
    }
    check("phaser cached cutoff", fast.phaser.cachedCutoff, slow.phaser.cachedCutoff);
    check("phaser a", fast.phaser.a, slow.phaser.a);
    check("phaser normalise", fast.phaser.normalise, slow.phaser.normalise);
    check("phaser s1", fast.phaser.s1, slow.phaser.s1);
    check("phaser s2", fast.phaser.s2, slow.phaser.s2);
    check("phaser s3", fast.phaser.s3, slow.phaser.s3);
    check("phaser s4", fast.phaser.s4, slow.phaser.s4);
    check("phaser offset", fast.phaser.denormalOffset, slow.phaser.denormalOffset);
    for (int m = 0; m < kModelCount; ++m) {
        if (fast.oscillators[m].phase != slow.oscillators[m].phase ||
            fast.oscillators[m].octavePhase != slow.oscillators[m].octavePhase)
            out += "oscillator " + std::to_string(m) + " phase; ";
        check("oscillator level", fast.oscillators[m].level, slow.oscillators[m].level);
        check("oscillator amplitude", fast.oscillators[m].amplitude, slow.oscillators[m].amplitude);
    }
    return out;
}

struct FastEngine {
    explicit FastEngine(SynthGlobals& settings, SimdLevel level) : engine(settings), level(level) {}
    Engine engine;
    SimdLevel level;
};

// Plays one scenario through the reference and through the engine at every
// SIMD level; stops at the first difference.
void ExpectSameAsReference(const Scenario& scenario)
{
    SynthGlobals settings = scenario.settings;
    reference::Engine slow(settings);
    std::vector<std::unique_ptr<FastEngine>> fast;
    for (SimdLevel level : SupportedSimdLevels())
        fast.push_back(std::make_unique<FastEngine>(settings, level));

    slow.Reset(scenario.sampleRate, scenario.maxBlock);
    for (auto& f : fast) {
        f->engine.SetSimdLevel(f->level);
        f->engine.Reset(scenario.sampleRate, scenario.maxBlock);
    }
    for (int i = 0; i < kOrvParameterCount; ++i) {
        slow.SetParameter(i, scenario.parameters[i]);
        for (auto& f : fast)
            f->engine.SetParameter(i, scenario.parameters[i]);
    }

    std::vector<double> slowLeft(static_cast<size_t>(scenario.maxBlock)), slowRight(slowLeft.size());
    std::vector<double> fastLeft(slowLeft.size()), fastRight(slowLeft.size());
    size_t next = 0;
    int64_t start = 0;
    for (size_t block = 0; block < scenario.blocks.size(); ++block) {
        const int32_t n = scenario.blocks[block];
        for (; next < scenario.events.size() && scenario.events[next].frame < start + n; ++next) {
            const StreamEvent& event = scenario.events[next];
            switch (event.kind) {
            case StreamEvent::kMidi: {
                QueuedMidi message = event.midi;
                message.offset = static_cast<int32_t>(event.frame - start);
                slow.Queue(message);
                for (auto& f : fast)
                    f->engine.Queue(message);
                break;
            }
            case StreamEvent::kParameter:
                slow.SetParameter(event.parameter, event.value);
                for (auto& f : fast)
                    f->engine.SetParameter(event.parameter, event.value);
                break;
            case StreamEvent::kReleaseAll:
                slow.ReleaseAllNotes();
                for (auto& f : fast)
                    f->engine.ReleaseAllNotes();
                break;
            }
        }
        slow.Render(slowLeft.data(), slowRight.data(), n);
        for (auto& f : fast) {
            f->engine.Render(fastLeft.data(), fastRight.data(), n);
            const size_t bytes = static_cast<size_t>(n) * sizeof(double);
            if (std::memcmp(fastLeft.data(), slowLeft.data(), bytes) != 0 ||
                std::memcmp(fastRight.data(), slowRight.data(), bytes) != 0) {
                int32_t i = 0;
                while (i < n && SameBits(fastLeft[static_cast<size_t>(i)], slowLeft[static_cast<size_t>(i)]) &&
                       SameBits(fastRight[static_cast<size_t>(i)], slowRight[static_cast<size_t>(i)]))
                    ++i;
                FAIL() << "seed " << scenario.seed << ", " << SimdLevelName(f->level) << ": output differs at frame "
                       << start + i << " (block " << block << " of " << n << " frames, rate " << scenario.sampleRate
                       << "): " << fastLeft[static_cast<size_t>(i)] << " vs reference "
                       << slowLeft[static_cast<size_t>(i)];
            }
            // Voice states: now and then, and at the end (cheaper than every block).
            const bool last = block + 1 == scenario.blocks.size();
            if (!last && (start + n) / 2048 == start / 2048)
                continue;
            for (int v = 0; v < Engine::kVoiceCount; ++v) {
                const std::string difference = VoiceDifference(f->engine.GetVoice(v), slow.GetVoice(v));
                if (!difference.empty())
                    FAIL() << "seed " << scenario.seed << ", " << SimdLevelName(f->level) << ": voice " << v
                           << " after block " << block << ": " << difference;
            }
        }
        start += n;
    }
}

}  // namespace

TEST(ReferenceEquivalence, RandomPatchesAndMidiRenderTheSameBitsAsOneVoiceAtATime)
{
    std::string levels;
    for (SimdLevel level : SupportedSimdLevels())
        levels += std::string(levels.empty() ? "" : ", ") + SimdLevelName(level);
    RecordProperty("instruction_sets", levels);
    std::printf("instruction sets compared with the reference: %s\n", levels.c_str());

    for (uint32_t seed = 1; seed <= kScenarios; ++seed) {
        ExpectSameAsReference(MakeScenario(seed, false));
        if (HasFatalFailure())
            return;
    }
}

TEST(ReferenceEquivalence, SettingsThatDriveTheFiltersToNaNStillMatch)
{
    for (uint32_t seed = 1001; seed < 1001 + kWildScenarios; ++seed) {
        ExpectSameAsReference(MakeScenario(seed, true));
        if (HasFatalFailure())
            return;
    }
}

TEST(ReferenceEquivalence, MainFilterCutoffLandingOnItsPoleMatches)
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
    ASSERT_EQ(s.settings.filterEnvAmount * 1.0 + baseCutoff, -2.0);
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
    std::stable_sort(s.events.begin(), s.events.end(),
                     [](const StreamEvent& a, const StreamEvent& b) { return a.frame < b.frame; });
    ExpectSameAsReference(s);
}

TEST(ReferenceEquivalence, SilenceBetweenNotesMatchesAtAnyBlockSize)
{
    // Notes end, their chorus echo dies away and the engine idles; then notes
    // start again inside a block, and once more after a volume change in the
    // silence. A negative volume makes the silence -0, a NaN volume or Air NaN.
    struct Case {
        double rate;
        std::vector<int32_t> blocks;  // repeated to the end
        double volume;
        double air;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {44100.0, {1}, 0.8, 0.5},     {44100.0, {7, 64, 3}, 0.8, 1.0}, {48000.0, {64}, -0.6, 0.7},
        {44100.0, {441}, 0.8, 0.0},   {44100.0, {512}, nan, 0.5},      {96000.0, {2048, 100}, 0.3, nan},
        {22050.0, {31, 256}, -0.0, 0.5},
    };
    // Frames at which the phases start, in seconds: gaps of 0.3 s outlast the
    // release (about 5 ms at Release 0) and the chorus lines (16 ms).
    constexpr double kFirstNotes = 0.01, kFirstRelease = 0.06, kSecondNotes = 0.4, kVolumeChange = 0.45,
                     kSecondRelease = 0.5, kThirdNotes = 0.8, kEnd = 1.0;
    for (const Case& c : cases) {
        Scenario s;
        s.seed = static_cast<uint32_t>(c.rate) + static_cast<uint32_t>(c.blocks.front());
        s.sampleRate = c.rate;
        s.maxBlock = *std::max_element(c.blocks.begin(), c.blocks.end());
        const double parameters[kOrvParameterCount] = {c.volume, 0.3, -0.2, 0.6, c.air, 0.0, 0.4, 0.0, 0.0, 0.0, 0.0, 0.3};
        std::copy(std::begin(parameters), std::end(parameters), s.parameters);
        for (int64_t done = 0; done < static_cast<int64_t>(kEnd * c.rate);) {
            s.blocks.push_back(c.blocks[s.blocks.size() % c.blocks.size()]);
            done += s.blocks.back();
        }
        auto at = [&](double seconds) { return static_cast<int64_t>(seconds * c.rate); };
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
        std::stable_sort(s.events.begin(), s.events.end(),
                         [](const StreamEvent& a, const StreamEvent& b) { return a.frame < b.frame; });
        ExpectSameAsReference(s);
        if (HasFatalFailure())
            return;
    }

    // The gaps really are silent: every voice has ended before the next notes.
    SynthGlobals settings;
    Engine engine(settings);
    engine.Reset(44100.0, 441);
    engine.SetParameter(kRelease, 0.0);
    engine.SetParameter(kEnvelope, 0.4);
    engine.NoteOn(60, 100);
    engine.NoteOff(60);
    std::vector<double> left(441), right(441);
    for (int block = 0; block < 0.3 * 100; ++block)
        engine.Render(left.data(), right.data(), 441);
    for (int v = 0; v < Engine::kVoiceCount; ++v)
        EXPECT_FALSE(engine.GetVoice(v).active) << "voice " << v;
}
