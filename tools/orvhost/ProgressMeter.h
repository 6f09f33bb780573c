// Progress of a long job on standard error: one line rewritten in place on a
// terminal, a line per quarter elsewhere (only with --verbose), nothing when
// the console does not show progress.
#pragma once

#include "Console.h"

#include <cstdint>
#include <string>

namespace orvhost {

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

    std::string label;
    int64_t total;
    bool enabled;
    bool onTerminal;
    int shownPercent = -1;
    bool finished = false;
};

}  // namespace orvhost
