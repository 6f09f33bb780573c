// Splits a subcommand's arguments into options and positional words.
// Accepted forms: "--name value", "--name=value", "-n value", "-nvalue",
// flags without a value, and "--" to end the options. An option may be given
// more than once (later commands such as "--set INDEX=VALUE" repeat), and
// every value is kept in order.
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvhost {

struct OptionSpec {
    std::string_view longName;  // without the leading "--"
    char shortName;             // 0 when there is none
    bool takesValue;
};

class ParsedArguments {
public:
    bool Has(std::string_view longName) const { return values.contains(std::string(longName)); }
    // The last value given for the option, or fallback when it was not given.
    std::string Last(std::string_view longName, std::string_view fallback = {}) const;
    const std::vector<std::string>& All(std::string_view longName) const;
    const std::vector<std::string>& Positionals() const { return positionals; }

    void AddValue(std::string_view longName, std::string value);
    void AddPositional(std::string value) { positionals.push_back(std::move(value)); }

private:
    std::map<std::string, std::vector<std::string>> values;
    std::vector<std::string> positionals;
};

// Returns false with a one-line reason in error when an option is unknown,
// lacks its value or has a value it does not take.
bool ParseArguments(std::span<const std::string> arguments, std::span<const OptionSpec> options,
                    ParsedArguments& parsed, std::string& error);

}  // namespace orvhost
