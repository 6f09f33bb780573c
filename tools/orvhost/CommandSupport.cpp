#include "tools/orvhost/CommandSupport.h"

#include "tools/orvhost/ExitCode.h"

#include <cstdio>

namespace orv::host {

void AddPositionals(CLI::App& app, std::vector<std::string>& words)
{
    app.add_option("words", words);
}

void AddPluginArguments(CLI::App& app, PluginArguments& arguments, bool withSave)
{
    AddPositionals(app, arguments.words);
    AddStateOptions(app, arguments.setup, withSave);
}

bool ReadPositionals(const std::vector<std::string>& words, std::initializer_list<std::string_view> descriptions,
                     std::string& error)
{
    if (words.size() < descriptions.size()) {
        error = "missing " + std::string(descriptions.begin()[words.size()]);
        return false;
    }
    if (words.size() > descriptions.size()) {
        error = "unexpected argument '" + words[descriptions.size()] + "'";
        return false;
    }
    return true;
}

int StartSession(HostSession& session, const std::string& plugin, const StateSetup& setup, std::string_view command,
                 const Console& console)
{
    if (!session.Load(plugin)) {
        console.Error(session.Error());
        return kExitFailure;
    }
    session.Open();
    return ApplyStateSetup(session, setup, command, console);
}

int RunListing(const PluginArguments& arguments, std::string_view command, const Console& console,
               TextTable (*list)(HostSession& session))
{
    std::string error;
    if (!ReadPositionals(arguments.words, {kPluginWord}, error)) {
        console.UsageError(command, error);
        return kExitUsage;
    }
    HostSession session;
    if (const int code = StartSession(session, arguments.words[0], arguments.setup, command, console);
        code != kExitSuccess)
        return code;
    const TextTable table = list(session);
    if (const int code = SaveStateSetup(session, arguments.setup, console); code != kExitSuccess)
        return code;
    session.Close();

    table.Print(stdout);
    return FinishOutput(console);
}

int FinishOutput(const Console& console)
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        console.Error("cannot write to standard output");
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace orv::host
