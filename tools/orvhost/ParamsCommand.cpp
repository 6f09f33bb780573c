// orvhost params PLUGIN: the parameters as a host's generic editor shows
// them: name, unit label, the plug-in's own display text and the normalised
// value.

#include "tools/orvhost/Command.h"
#include "tools/orvhost/CommandSupport.h"

#include <cstdio>
#include <memory>

namespace orv::host {

namespace {

std::string NormalisedText(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", static_cast<double>(value));
    return text;
}

TextTable ParameterTable(HostSession& session)
{
    TextTable table({{"index", TextTable::Align::kRight},
                     {"name", TextTable::Align::kLeft},
                     {"label", TextTable::Align::kLeft},
                     {"display", TextTable::Align::kLeft},
                     {"value", TextTable::Align::kRight}});
    for (int32_t i = 0; i < session.ParameterCount(); ++i)
        table.AddRow({std::to_string(i), session.QueryText(framework::vst::effGetParamName, i),
                      session.QueryText(framework::vst::effGetParamLabel, i),
                      session.QueryText(framework::vst::effGetParamDisplay, i),
                      NormalisedText(session.GetParameter(i))});
    return table;
}

CommandRun Declare(CLI::App& app)
{
    auto arguments = std::make_shared<PluginArguments>();
    AddPluginArguments(app, *arguments, true);
    return [arguments](const Console& console) { return RunListing(*arguments, "params", console, &ParameterTable); };
}

}  // namespace

const Command& ParamsCommand()
{
    static const std::string details = "Loads PLUGIN as a host does and lists every parameter: its index, name,\n"
                                       "unit label, the plug-in's display text (effGetParamDisplay) and its\n"
                                       "normalised value (getParameter, 0..1).\n"
                                       "\n"
                                       "options:\n" +
                                       StateOptionHelp(true);
    static const Command command = {"params", "list a plug-in's parameters and their values", "params PLUGIN [OPTIONS]",
                                    details, &Declare};
    return command;
}

}  // namespace orv::host
