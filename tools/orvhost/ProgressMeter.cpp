#include "tools/orvhost/ProgressMeter.h"

#include "platform/Terminal.h"

#include <cstdio>

namespace orv::host {

ProgressMeter::ProgressMeter(const Console& console, std::string label, int64_t total)
    : label(std::move(label)), total(total), enabled(console.ShowsProgress()),
      onTerminal(platform::StandardErrorIsTerminal()), always(console.Level() == Verbosity::kVerbose),
      start(std::chrono::steady_clock::now())
{}

bool ProgressMeter::LongEnough() const
{
    constexpr auto kQuietTime = std::chrono::milliseconds(500);
    return always || shownPercent >= 0 || std::chrono::steady_clock::now() - start >= kQuietTime;
}

void ProgressMeter::Update(int64_t done)
{
    if (!enabled || finished || total <= 0 || !LongEnough())
        return;
    int percent = static_cast<int>(done * 100 / total);
    if (percent >= 100)
        percent = 99;  // 100 is for Finish, once the work is really done
    const int step = onTerminal ? 1 : 25;
    if (percent / step == shownPercent / step && shownPercent >= 0)
        return;
    Print(percent);
}

void ProgressMeter::Finish()
{
    if (!enabled || finished)
        return;
    finished = true;
    if (shownPercent < 0 && !always)
        return;  // a quick job: nothing was shown, nothing to complete
    Print(100);
    if (onTerminal)
        std::fputc('\n', stderr);
}

void ProgressMeter::Abandon()
{
    if (!enabled || finished)
        return;
    finished = true;
    if (onTerminal && shownPercent >= 0)
        std::fputc('\n', stderr);
}

void ProgressMeter::Print(int percent)
{
    shownPercent = percent;
    if (onTerminal)
        std::fprintf(stderr, "\rorvhost: %s %3d%%", label.c_str(), percent);
    else
        std::fprintf(stderr, "orvhost: %s %d%%\n", label.c_str(), percent);
    std::fflush(stderr);
}

}  // namespace orv::host
