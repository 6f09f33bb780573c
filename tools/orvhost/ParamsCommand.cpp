// orvhost params PLUGIN: the parameters as a host's generic editor shows
// them: name, unit label, the plug-in's own display text and the normalised
// value.

#include "Command.h"
#include "CommandSupport.h"
#include "ExitCode.h"
#include "TextTable.h"

#include <cstdio>

namespace orvhost {

namespace {

std::string NormalisedText(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", static_cast<double>(value));
    return text;
}

int Run(const ParsedArguments& arguments, const Console& console)
{
    std::vector<std::string> words;
    StateSetup setup;
    std::string error;
    if (!ReadPositionals(arguments, {"PLUGIN (the path of a VST 2 plug-in library)"}, words, error) ||
        !ReadStateSetup(arguments, setup, error)) {
        console.UsageError("params", error);
        return kExitUsage;
    }
    HostSession session;
    session.SetProcessLevel(kProcessLevelUser);
    if (const int code = StartSession(session, words[0], setup, "params", console); code != kExitSuccess)
        return code;

    TextTable table({{"index", TextTable::Align::kRight},
                     {"name", TextTable::Align::kLeft},
                     {"label", TextTable::Align::kLeft},
                     {"display", TextTable::Align::kLeft},
                     {"value", TextTable::Align::kRight}});
    for (int32_t i = 0; i < session.ParameterCount(); ++i)
        table.AddRow({std::to_string(i), session.QueryText(vst::effGetParamName, i),
                      session.QueryText(vst::effGetParamLabel, i), session.QueryText(vst::effGetParamDisplay, i),
                      NormalisedText(session.GetParameter(i))});
    if (const int code = SaveStateSetup(session, setup, console); code != kExitSuccess)
        return code;
    session.Close();

    table.Print(stdout);
    return FinishOutput(console);
}

}  // namespace

const Command& ParamsCommand()
{
    static const std::string details =
        "Loads PLUGIN as a host does and lists every parameter: its index, name,\n"
        "unit label, the plug-in's display text (effGetParamDisplay) and its\n"
        "normalised value (getParameter, 0..1).\n"
        "\n"
        "options:\n" +
        StateOptionHelp(true);
    static const Command command = {"params", "list a plug-in's parameters and their values",
                                    "params PLUGIN [OPTIONS]",
                                    details, kStateOptions, &Run};
    return command;
}

}  // namespace orvhost
