#include "tools/orvhost/TempoMap.h"

#include <algorithm>
#include <cmath>

namespace orv::host {

namespace {

// Sorts by position and keeps, of entries at the same position, the last one.
template <typename Change>
std::vector<Change> Ordered(std::vector<Change> changes)
{
    std::stable_sort(changes.begin(), changes.end(),
                     [](const Change& a, const Change& b) { return a.quarter < b.quarter; });
    std::vector<Change> result;
    for (const Change& change : changes) {
        if (!result.empty() && result.back().quarter == change.quarter)
            result.back() = change;
        else
            result.push_back(change);
    }
    return result;
}

}  // namespace

TempoMap::TempoMap() : TempoMap({}, {}) {}

TempoMap::TempoMap(std::vector<TempoChange> tempos, std::vector<TimeSignatureChange> signatureChanges)
{
    segments.push_back({0.0, 0.0, 60.0 / kDefaultTempo});
    for (const TempoChange& change : Ordered(std::move(tempos))) {
        const double quarter = std::max(change.quarter, 0.0);
        Segment& last = segments.back();
        const double seconds = last.seconds + (quarter - last.quarter) * last.secondsPerQuarter;
        const double secondsPerQuarter = 60.0 / change.beatsPerMinute;
        if (quarter == last.quarter)
            last.secondsPerQuarter = secondsPerQuarter;
        else
            segments.push_back({quarter, seconds, secondsPerQuarter});
    }

    signatures.push_back({0.0, 4, 4});
    for (const TimeSignatureChange& change : Ordered(std::move(signatureChanges))) {
        const double quarter = std::max(change.quarter, 0.0);
        if (quarter == signatures.back().quarter)
            signatures.back() = {quarter, change.numerator, change.denominator};
        else
            signatures.push_back({quarter, change.numerator, change.denominator});
    }
}

double TempoMap::SecondsAtQuarter(double quarter) const
{
    auto after = std::upper_bound(segments.begin(), segments.end(), quarter,
                                  [](double q, const Segment& segment) { return q < segment.quarter; });
    const Segment& segment = after == segments.begin() ? segments.front() : *(after - 1);
    return segment.seconds + (quarter - segment.quarter) * segment.secondsPerQuarter;
}

double TempoMap::QuarterAtSeconds(double seconds) const
{
    auto after = std::upper_bound(segments.begin(), segments.end(), seconds,
                                  [](double s, const Segment& segment) { return s < segment.seconds; });
    const Segment& segment = after == segments.begin() ? segments.front() : *(after - 1);
    return segment.quarter + (seconds - segment.seconds) / segment.secondsPerQuarter;
}

double TempoMap::TempoAtSeconds(double seconds) const
{
    auto after = std::upper_bound(segments.begin(), segments.end(), seconds,
                                  [](double s, const Segment& segment) { return s < segment.seconds; });
    const Segment& segment = after == segments.begin() ? segments.front() : *(after - 1);
    return 60.0 / segment.secondsPerQuarter;
}

const TimeSignatureChange& TempoMap::SignatureAt(double quarter) const
{
    auto after = std::upper_bound(signatures.begin(), signatures.end(), quarter,
                                  [](double q, const TimeSignatureChange& change) { return q < change.quarter; });
    return after == signatures.begin() ? signatures.front() : *(after - 1);
}

double TempoMap::BarStartAtQuarter(double quarter) const
{
    const TimeSignatureChange& signature = SignatureAt(quarter);
    const double barLength = signature.numerator * 4.0 / signature.denominator;
    return signature.quarter + std::floor((quarter - signature.quarter) / barLength) * barLength;
}

}  // namespace orv::host
