// What orvhost tells the person at the terminal: errors, warnings and notes on
// standard error (standard output carries only the requested result), with
// the amount of chatter chosen by --quiet / --verbose.
#pragma once

#include <string_view>

namespace orv::host {

enum class Verbosity {
    kQuiet,    // errors only
    kNormal,   // errors, warnings, progress when stderr is a terminal
    kVerbose,  // all of that, progress always, and notes on what the host does
};

class Console {
public:
    explicit Console(Verbosity verbosity) : verbosity(verbosity) {}

    Verbosity Level() const { return verbosity; }
    bool ShowsProgress() const;

    void Error(std::string_view message) const;    // "orvhost: message"
    void Warning(std::string_view message) const;  // "orvhost: warning: message"; not when quiet
    void Note(std::string_view message) const;     // "orvhost: message"; verbose only
    // A command-line mistake: "orvhost COMMAND: message" and where to read more.
    void UsageError(std::string_view command, std::string_view message) const;

private:
    Verbosity verbosity;
};

}  // namespace orv::host
