// orvhost programs PLUGIN: the program names as a host's program menu lists
// them (effGetProgramNameIndexed), the current one marked.

#include "tools/orvhost/Command.h"
#include "tools/orvhost/CommandSupport.h"

#include <memory>

namespace orv::host {

namespace {

TextTable ProgramTable(HostSession& session)
{
    const int32_t current = session.CurrentProgram();
    TextTable table(
        {{"", TextTable::Align::kLeft}, {"index", TextTable::Align::kRight}, {"name", TextTable::Align::kLeft}});
    for (int32_t i = 0; i < session.ProgramCount(); ++i)
        table.AddRow({i == current ? "*" : "", std::to_string(i), session.ProgramName(i)});
    return table;
}

CommandRun Declare(CLI::App& app)
{
    auto arguments = std::make_shared<PluginArguments>();
    AddPluginArguments(app, *arguments, true);
    return [arguments](const Console& console) { return RunListing(*arguments, "programs", console, &ProgramTable); };
}

}  // namespace

const Command& ProgramsCommand()
{
    static const std::string details = "Loads PLUGIN as a host does and lists its programs by index and name\n"
                                       "(effGetProgramNameIndexed); '*' marks the current program.\n"
                                       "\n"
                                       "options:\n" +
                                       StateOptionHelp(true);
    static const Command command = {"programs", "list a plug-in's programs", "programs PLUGIN [OPTIONS]", details,
                                    &Declare};
    return command;
}

}  // namespace orv::host
