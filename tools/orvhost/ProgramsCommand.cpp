// orvhost programs PLUGIN: the program names as a host's program menu lists
// them (effGetProgramNameIndexed), the current one marked.

#include "Command.h"
#include "CommandSupport.h"
#include "ExitCode.h"
#include "TextTable.h"

#include <cstdio>

namespace orvhost {

namespace {

int Run(const ParsedArguments& arguments, const Console& console)
{
    std::vector<std::string> words;
    StateSetup setup;
    std::string error;
    if (!ReadPositionals(arguments, {"PLUGIN (the path of a VST 2 plug-in library)"}, words, error) ||
        !ReadStateSetup(arguments, setup, error)) {
        console.UsageError("programs", error);
        return kExitUsage;
    }
    HostSession session;
    session.SetProcessLevel(kProcessLevelUser);
    if (const int code = StartSession(session, words[0], setup, "programs", console); code != kExitSuccess)
        return code;

    const int32_t current = session.CurrentProgram();
    TextTable table({{"", TextTable::Align::kLeft},
                     {"index", TextTable::Align::kRight},
                     {"name", TextTable::Align::kLeft}});
    for (int32_t i = 0; i < session.ProgramCount(); ++i)
        table.AddRow({i == current ? "*" : "", std::to_string(i), session.ProgramName(i)});
    if (const int code = SaveStateSetup(session, setup, console); code != kExitSuccess)
        return code;
    session.Close();

    table.Print(stdout);
    return FinishOutput(console);
}

}  // namespace

const Command& ProgramsCommand()
{
    static const std::string details =
        "Loads PLUGIN as a host does and lists its programs by index and name\n"
        "(effGetProgramNameIndexed); '*' marks the current program.\n"
        "\n"
        "options:\n" +
        StateOptionHelp(true);
    static const Command command = {"programs", "list a plug-in's programs",
                                    "programs PLUGIN [OPTIONS]",
                                    details, kStateOptions, &Run};
    return command;
}

}  // namespace orvhost
