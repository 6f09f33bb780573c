// Reading numbers from the command line strictly: the whole word must be the
// number, and it must lie in the allowed range.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvhost {

// Decimal integer in [minimum, maximum]. On failure returns false and
// describes the problem in error, naming the option.
bool ParseIntegerArgument(std::string_view option, std::string_view text, int64_t minimum, int64_t maximum,
                          int64_t& value, std::string& error);

// Finite decimal number with minimum < value <= maximum (an exclusive lower
// bound, since lengths such as seconds must be positive).
bool ParsePositiveNumberArgument(std::string_view option, std::string_view text, double maximum, double& value,
                                 std::string& error);

}  // namespace orvhost
