// Progress of a long job on standard error: one line rewritten in place on a
// terminal, a line per quarter elsewhere (only with --verbose), nothing when
// the console does not show progress. Without --verbose a job shows progress
// only once it has run for a while, so quick renders stay silent.
#pragma once

#include "tools/orvhost/Console.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace orv::host {

class ProgressMeter {
public:
    ProgressMeter(const Console& console, std::string label, int64_t total);

    void Update(int64_t done);
    void Finish();
    // Ends the progress line without claiming completion, so that an error
    // message does not land on the end of it.
    void Abandon();

private:
    void Print(int percent);
    bool LongEnough() const;

    std::string label;
    int64_t total;
    bool enabled;
    bool onTerminal;
    bool always;
    std::chrono::steady_clock::time_point start;
    int shownPercent = -1;
    bool finished = false;
};

}  // namespace orv::host
