// orvhost save PLUGIN FILE: writes a plug-in's state to a preset file, as a
// DAW's "save preset" or "save bank" does. With --load it converts: a bank
// in, one of its programs out.

#include "tools/orvhost/Command.h"
#include "tools/orvhost/CommandSupport.h"
#include "tools/orvhost/ExitCode.h"

#include <memory>

namespace orv::host {

namespace {

int Run(const PluginArguments& arguments, const Console& console)
{
    StateSetup setup = arguments.setup;
    std::string error;
    if (!ReadPositionals(arguments.words, {kPluginWord, "FILE (the .fxp or .fxb file to write)"}, error) ||
        !ReadSaveTarget(arguments.words[1], "FILE", setup, error)) {
        console.UsageError("save", error);
        return kExitUsage;
    }
    HostSession session;
    if (const int code = StartSession(session, arguments.words[0], setup, "save", console); code != kExitSuccess)
        return code;
    return SaveStateSetup(session, setup, console);
}

CommandRun Declare(CLI::App& app)
{
    auto arguments = std::make_shared<PluginArguments>();
    AddPluginArguments(app, *arguments, false);
    return [arguments](const Console& console) { return Run(*arguments, console); };
}

}  // namespace

const Command& SaveCommand()
{
    static const std::string details = "Loads PLUGIN as a host does, applies the options below and writes its\n"
                                       "state to FILE: the current program when FILE ends in .fxp, the whole\n"
                                       "bank when it ends in .fxb. Plug-ins that keep their state as a chunk\n"
                                       "give it through effGetChunk; for the others the parameter values of\n"
                                       "each program are written. An existing FILE is replaced only once the\n"
                                       "new one is complete.\n"
                                       "\n"
                                       "options:\n" +
                                       StateOptionHelp(false);
    static const Command command = {"save", "write a plug-in's program or bank to an FXP or FXB file",
                                    "save PLUGIN FILE [OPTIONS]", details, &Declare};
    return command;
}

}  // namespace orv::host
