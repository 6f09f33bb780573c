#include "CommandSupport.h"

#include "ExitCode.h"

#include <cstdio>

namespace orvhost {

bool ReadPositionals(const ParsedArguments& arguments, std::initializer_list<std::string_view> descriptions,
                     std::vector<std::string>& words, std::string& error)
{
    words = arguments.Positionals();
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

int FinishOutput(const Console& console)
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        console.Error("cannot write to standard output");
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace orvhost
