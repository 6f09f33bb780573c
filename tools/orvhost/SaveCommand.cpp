// orvhost save PLUGIN FILE: writes a plug-in's state to a preset file, as a
// DAW's "save preset" or "save bank" does. With --load it converts: a bank
// in, one of its programs out.

#include "Command.h"
#include "CommandSupport.h"
#include "ExitCode.h"

#include <array>

namespace orvhost {

namespace {

constexpr std::array<OptionSpec, 3> kOptions = {{
    kStateOptions[0],  // --load
    kStateOptions[1],  // --program
    kStateOptions[2],  // --set
}};

int Run(const ParsedArguments& arguments, const Console& console)
{
    std::vector<std::string> words;
    StateSetup setup;
    std::string error;
    if (!ReadPositionals(arguments,
                         {"PLUGIN (the path of a VST 2 plug-in library)", "FILE (the .fxp or .fxb file to write)"},
                         words, error) ||
        !ReadStateSetup(arguments, setup, error) || !ReadSaveTarget(words[1], "FILE", setup, error)) {
        console.UsageError("save", error);
        return kExitUsage;
    }
    HostSession session;
    session.SetProcessLevel(kProcessLevelUser);
    if (const int code = StartSession(session, words[0], setup, "save", console); code != kExitSuccess)
        return code;
    return SaveStateSetup(session, setup, console);
}

}  // namespace

const Command& SaveCommand()
{
    static const std::string details =
        "Loads PLUGIN as a host does, applies the options below and writes its\n"
        "state to FILE: the current program when FILE ends in .fxp, the whole\n"
        "bank when it ends in .fxb. Plug-ins that keep their state as a chunk\n"
        "give it through effGetChunk; for the others the parameter values of\n"
        "each program are written. An existing FILE is replaced only once the\n"
        "new one is complete.\n"
        "\n"
        "options:\n" +
        StateOptionHelp(false);
    static const Command command = {"save", "write a plug-in's program or bank to an FXP or FXB file",
                                    "save PLUGIN FILE [OPTIONS]", details,
                                    kOptions, &Run};
    return command;
}

}  // namespace orvhost
