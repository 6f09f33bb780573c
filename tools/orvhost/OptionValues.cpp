#include "tools/orvhost/OptionValues.h"

#include <charconv>
#include <cmath>

namespace orv::host {

namespace {

std::string Quoted(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

std::string FormatLimit(double value)
{
    std::string text = std::to_string(value);
    // "3600.000000" reads better as "3600"
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

CLI::Option* TakingLast(CLI::Option* option)
{
    return option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

}  // namespace

bool ParseIntegerText(const std::string& what, std::string_view text, int64_t minimum, int64_t maximum, int64_t& value,
                      std::string& error)
{
    int64_t parsed = 0;
    const char* end = text.data() + text.size();
    auto [stop, status] = std::from_chars(text.data(), end, parsed);
    const std::string range = " is out of range (" + std::to_string(minimum) + ".." + std::to_string(maximum) + ")";
    if (text.empty() || status != std::errc{} || stop != end) {
        error = status == std::errc::result_out_of_range ? what + " " + Quoted(text) + range
                                                         : what + " needs a whole number, not " + Quoted(text);
        return false;
    }
    if (parsed < minimum || parsed > maximum) {
        error = what + " " + Quoted(text) + range;
        return false;
    }
    value = parsed;
    return true;
}

CLI::Option* AddTextOption(CLI::App& app, const std::string& names, std::string& target)
{
    return TakingLast(app.add_option(names, target));
}

CLI::Option* AddIntegerOption(CLI::App& app, const std::string& name, int64_t minimum, int64_t maximum, int32_t& target)
{
    auto take = [name, minimum, maximum, &target](const std::string& text) {
        int64_t value = 0;
        std::string error;
        if (!ParseIntegerText(name, text, minimum, maximum, value, error))
            throw CLI::ValidationError(error);
        target = static_cast<int32_t>(value);
    };
    return TakingLast(app.add_option_function<std::string>(name, take));
}

CLI::Option* AddPositiveNumberOption(CLI::App& app, const std::string& name, double maximum, double& target)
{
    auto take = [name, maximum, &target](const std::string& text) {
        double value = 0.0;
        const char* end = text.data() + text.size();
        auto [stop, status] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
        if (text.empty() || status != std::errc{} || stop != end || !std::isfinite(value))
            throw CLI::ValidationError(name + " needs a number, not " + Quoted(text));
        if (value <= 0.0 || value > maximum)
            throw CLI::ValidationError(name + " " + Quoted(text) + " must be above 0 and at most " +
                                       FormatLimit(maximum));
        target = value;
    };
    return TakingLast(app.add_option_function<std::string>(name, take));
}

}  // namespace orv::host
