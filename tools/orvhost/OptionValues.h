// Options whose values CLI11 hands over only once they are checked strictly:
// the whole word must be the value, numbers are plain decimals within their
// range. Given more than once, the last one counts and only it is checked; a
// wrong one ends the parse with a message of ours naming the option (thrown
// as a CLI::ValidationError).
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <string>

namespace orv::host {

CLI::Option* AddTextOption(CLI::App& app, const std::string& names, std::string& target);

// A decimal integer in [minimum, maximum]; name is the option's long name.
CLI::Option* AddIntegerOption(CLI::App& app, const std::string& name, int64_t minimum, int64_t maximum,
                              int32_t& target);

// A finite decimal number above 0 and at most maximum (lengths such as
// seconds must be positive).
CLI::Option* AddPositiveNumberOption(CLI::App& app, const std::string& name, double maximum, double& target);

// The same rule for an integer inside a larger word, such as the index of
// "--set INDEX=VALUE"; false with the message in error.
bool ParseIntegerText(const std::string& what, std::string_view text, int64_t minimum, int64_t maximum, int64_t& value,
                      std::string& error);

}  // namespace orv::host
