#include "tools/orvhost/CommandLine.h"

namespace orv::host {

namespace {

// An option word as messages show it: "--name" without any "=value", "-n"
// without the value joined to it.
std::string OptionName(const std::string& word)
{
    return word.starts_with("--") ? word.substr(0, word.find('=')) : word.substr(0, 2);
}

// The words as CLI11 should see them, or false for a flag given a value
// ("--quiet=yes", even "--quiet="), which CLI11 would read as true or false.
// CLI11 reads "--name=" as "--name" without a value and would take the next
// word for it: it becomes "--name" and an empty value.
bool PrepareWords(CLI::App& app, const std::vector<std::string>& words, std::vector<std::string>& prepared,
                  std::string& error)
{
    bool optionsEnded = false;
    for (const std::string& word : words) {
        optionsEnded = optionsEnded || word == "--";
        const size_t equals = word.find('=');
        const CLI::Option* option = !optionsEnded && word.starts_with("--") && equals != std::string::npos
                                        ? app.get_option_no_throw(OptionName(word))
                                        : nullptr;
        if (option != nullptr && option->get_items_expected_max() == 0) {
            error = "option '" + OptionName(word) + "' takes no value";
            return false;
        }
        if (option != nullptr && equals + 1 == word.size()) {
            prepared.push_back(OptionName(word));
            prepared.push_back("");
        } else {
            prepared.push_back(word);
        }
    }
    return true;
}

// CLI11's own parse errors in orvhost's words.
std::string UsageErrorText(const CLI::App& app, const CLI::ParseError& error, const std::vector<std::string>& words)
{
    if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
        const std::vector<std::string> extras = app.remaining();
        if (!extras.empty())
            return "unknown option '" + OptionName(extras.front()) + "'";
    }
    // Every value is taken whatever it looks like, so only the last word
    // can lack its value.
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr && !words.empty())
        return "option '" + OptionName(words.back()) + "' needs a value";
    return error.what();
}

}  // namespace

bool ParseCommandLine(CLI::App& app, const std::vector<std::string>& words, std::string& error)
{
    std::vector<std::string> prepared;
    if (!PrepareWords(app, words, prepared, error))
        return false;
    try {
        app.parse(std::vector<std::string>(prepared.rbegin(), prepared.rend()));  // CLI11 takes them last first
    } catch (const CLI::ParseError& parseError) {
        error = UsageErrorText(app, parseError, prepared);
        return false;
    }
    return true;
}

}  // namespace orv::host
