#include "instrument/SynthGlobalsFile.h"

#include "instrument/SettingsText.h"

#include <algorithm>

namespace orv::instrument {

namespace {

constexpr size_t kValueCapacity = 64;

// Hand-edited values are kept within what the engine's arithmetic can carry:
// beyond these no setting means anything musical, and larger numbers could
// overflow the integer pitch arithmetic or reach the host as infinities.
constexpr double kLargestReal = 1.0e4;
constexpr int32_t kLargestInteger = 1 << 16;

class Reader {
public:
    explicit Reader(const platform::ProfileSnapshot& settingsFile) : file(settingsFile) {}

    void Real(const char* section, const char* key, double& field)
    {
        const std::string text = file.Read(section, key, "", kValueCapacity);
        if (!text.empty())
            field = std::clamp(ParseSettingNumber(text), -kLargestReal, kLargestReal);
    }
    void Integer(const char* section, const char* key, int32_t& field)
    {
        const std::string text = file.Read(section, key, "", kValueCapacity);
        if (!text.empty())
            field = std::clamp(TruncateToInt32(ParseSettingNumber(text)), -kLargestInteger, kLargestInteger);
    }
    // Attack, decay and sustain at the soft, break and percussive ends.
    void Blend(const char* section, engine::EnvelopeBlend& blend)
    {
        Real(section, "Attack Soft", blend.attackSoft);
        Real(section, "Attack Break", blend.attackBreak);
        Real(section, "Attack Perc", blend.attackPerc);
        Real(section, "Decay Soft", blend.decaySoft);
        Real(section, "Decay Break", blend.decayBreak);
        Real(section, "Decay Perc", blend.decayPerc);
        Real(section, "Sustain Soft", blend.sustainSoft);
        Real(section, "Sustain Break", blend.sustainBreak);
        Real(section, "Sustain Perc", blend.sustainPerc);
    }

private:
    const platform::ProfileSnapshot& file;
};

constexpr const char* kModelSections[engine::kModelCount] = {"String", "Wood", "Metal", "Glass", "Sine"};

}  // namespace

void ReadSynthGlobals(const platform::ProfileSnapshot& file, engine::SynthGlobals& g)
{
    Reader read(file);
    read.Integer("Global", "Pitch Bend Range", g.pitchBendRange);
    read.Real("Global", "Vibrato Rate", g.vibratoRate);
    read.Real("Global", "Vibrato Depth", g.vibratoDepth);
    read.Real("Global", "Velocity", g.velocity);
    for (int model = 0; model < engine::kModelCount; ++model) {
        read.Real(kModelSections[model], "Volume", g.modelVolume[model]);
        read.Integer(kModelSections[model], "Transpose", g.modelTranspose[model]);
        read.Integer(kModelSections[model], "Tuning", g.modelTuning[model]);
    }
    read.Real("WoodFilter", "Volume", g.woodFilterVolume);
    read.Real("WoodFilter", "Cutoff", g.woodFilterCutoff);
    read.Real("WoodFilter", "Resonance", g.woodFilterResonance);
    read.Real("WoodFilter", "Break", g.woodFilterBreak);
    read.Blend("WoodFilter", g.woodFilterEnvelope);
    read.Real("Filter", "Cutoff", g.filterCutoff);
    read.Real("Filter", "Resonance", g.filterResonance);
    read.Real("Filter", "EnvAmount", g.filterEnvAmount);
    read.Real("Filter", "Break", g.filterBreak);
    read.Blend("Filter", g.filterEnvelope);
    read.Real("Master Envelope", "Break", g.masterBreak);
    read.Blend("Master Envelope", g.masterEnvelope);
    read.Real("String Vibrato", "Rate 1", g.stringVibratoRate1);
    read.Real("String Vibrato", "Rate 2", g.stringVibratoRate2);
    read.Real("String Vibrato", "Depth", g.stringVibratoDepth);
    read.Real("Glass Phaser", "Center", g.phaserCenter);
    read.Real("Glass Phaser", "Resonance", g.phaserResonance);
    read.Real("Glass Phaser", "Rate", g.phaserRate);
    read.Real("Glass Phaser", "Depth", g.phaserDepth);
    read.Real("Metal Tremolo", "Rate", g.tremoloRate);
    read.Real("Metal Tremolo", "Depth", g.tremoloDepth);
}

}  // namespace orv::instrument
