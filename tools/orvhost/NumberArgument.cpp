#include "NumberArgument.h"

#include <charconv>
#include <cmath>

namespace orvhost {

namespace {

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

std::string FormatLimit(double value)
{
    std::string text = std::to_string(value);
    // "3600.000000" reads better as "3600"
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

}  // namespace

bool ParseIntegerArgument(std::string_view option, std::string_view text, int64_t minimum, int64_t maximum,
                          int64_t& value, std::string& error)
{
    int64_t parsed = 0;
    const char* end = text.data() + text.size();
    auto [stop, status] = std::from_chars(text.data(), end, parsed);
    if (text.empty() || status != std::errc{} || stop != end) {
        if (status == std::errc::result_out_of_range) {
            error = std::string(option) + " " + Quoted(text) + " is out of range (" + std::to_string(minimum) +
                    ".." + std::to_string(maximum) + ")";
        } else {
            error = std::string(option) + " needs a whole number, not " + Quoted(text);
        }
        return false;
    }
    if (parsed < minimum || parsed > maximum) {
        error = std::string(option) + " " + Quoted(text) + " is out of range (" + std::to_string(minimum) + ".." +
                std::to_string(maximum) + ")";
        return false;
    }
    value = parsed;
    return true;
}

bool ParsePositiveNumberArgument(std::string_view option, std::string_view text, double maximum, double& value,
                                 std::string& error)
{
    double parsed = 0.0;
    const char* end = text.data() + text.size();
    auto [stop, status] = std::from_chars(text.data(), end, parsed, std::chars_format::fixed);
    if (text.empty() || status != std::errc{} || stop != end || !std::isfinite(parsed)) {
        error = std::string(option) + " needs a number, not " + Quoted(text);
        return false;
    }
    if (parsed <= 0.0 || parsed > maximum) {
        error = std::string(option) + " " + Quoted(text) + " must be above 0 and at most " + FormatLimit(maximum);
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace orvhost
