// The musical time line of a song: where each quarter note falls in seconds
// under a list of tempo changes, and where the bars start under a list of
// time signature changes. Event sources place their messages with it, and the
// transport reports tempo and position (ppqPos) from it to the plug-in.
// Positions are in quarter notes from the start of the song.
#pragma once

#include <vector>

namespace orv::host {

struct TempoChange {
    double quarter;
    double beatsPerMinute;  // quarter notes per minute
};

struct TimeSignatureChange {
    double quarter;
    int numerator;
    int denominator;  // a power of two: 4 means quarter notes, 8 eighth notes
};

class TempoMap {
public:
    static constexpr double kDefaultTempo = 120.0;

    // 120 beats per minute in 4/4 throughout.
    TempoMap();
    // Changes may come in any order; of several at one position the last one
    // given counts. Until the first change the defaults hold. Tempos must be
    // positive and denominators positive (the callers check their input).
    TempoMap(std::vector<TempoChange> tempos, std::vector<TimeSignatureChange> signatures);

    double SecondsAtQuarter(double quarter) const;
    double QuarterAtSeconds(double seconds) const;
    double TempoAtSeconds(double seconds) const;

    int NumeratorAtQuarter(double quarter) const { return SignatureAt(quarter).numerator; }
    int DenominatorAtQuarter(double quarter) const { return SignatureAt(quarter).denominator; }
    // The start of the bar holding quarter; bars are counted afresh from each
    // time signature change.
    double BarStartAtQuarter(double quarter) const;

private:
    struct Segment {
        double quarter;
        double seconds;
        double secondsPerQuarter;
    };

    const TimeSignatureChange& SignatureAt(double quarter) const;

    std::vector<Segment> segments;                // by position, the first at 0
    std::vector<TimeSignatureChange> signatures;  // by position, the first at 0
};

}  // namespace orv::host
