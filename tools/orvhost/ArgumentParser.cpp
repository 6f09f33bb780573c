#include "ArgumentParser.h"

namespace orvhost {

namespace {

const OptionSpec* FindLong(std::span<const OptionSpec> options, std::string_view name)
{
    for (const OptionSpec& option : options)
        if (option.longName == name)
            return &option;
    return nullptr;
}

const OptionSpec* FindShort(std::span<const OptionSpec> options, char name)
{
    for (const OptionSpec& option : options)
        if (option.shortName != 0 && option.shortName == name)
            return &option;
    return nullptr;
}

}  // namespace

std::string ParsedArguments::Last(std::string_view longName, std::string_view fallback) const
{
    auto found = values.find(std::string(longName));
    if (found == values.end() || found->second.empty())
        return std::string(fallback);
    return found->second.back();
}

const std::vector<std::string>& ParsedArguments::All(std::string_view longName) const
{
    static const std::vector<std::string> none;
    auto found = values.find(std::string(longName));
    return found == values.end() ? none : found->second;
}

void ParsedArguments::AddValue(std::string_view longName, std::string value)
{
    values[std::string(longName)].push_back(std::move(value));
}

bool ParseArguments(std::span<const std::string> arguments, std::span<const OptionSpec> options,
                    ParsedArguments& parsed, std::string& error)
{
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            parsed.AddPositional(word);  // "-" alone is a positional too
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }

        const OptionSpec* option = nullptr;
        std::string shownName;
        std::string inlineValue;
        bool hasInlineValue = false;
        if (word[1] == '-') {
            std::string_view body = std::string_view(word).substr(2);
            size_t equals = body.find('=');
            std::string_view name = body.substr(0, equals);
            if (equals != std::string_view::npos) {
                inlineValue = std::string(body.substr(equals + 1));
                hasInlineValue = true;
            }
            shownName = "--" + std::string(name);
            option = FindLong(options, name);
        } else {
            shownName = word.substr(0, 2);
            option = FindShort(options, word[1]);
            if (word.size() > 2) {
                inlineValue = word.substr(2);
                hasInlineValue = true;
            }
        }

        if (option == nullptr) {
            error = "unknown option '" + shownName + "'";
            return false;
        }
        if (!option->takesValue) {
            if (hasInlineValue) {
                error = word[1] == '-' ? "option '" + shownName + "' takes no value"
                                       : "unknown option '" + word + "'";
                return false;
            }
            parsed.AddValue(option->longName, {});
            continue;
        }
        if (hasInlineValue) {
            parsed.AddValue(option->longName, inlineValue);
        } else if (i + 1 < arguments.size()) {
            parsed.AddValue(option->longName, arguments[++i]);
        } else {
            error = "option '" + shownName + "' needs a value";
            return false;
        }
    }
    return true;
}

}  // namespace orvhost
