// A subcommand of orvhost: its name, its help text, the options it takes and
// the function that runs it. main() finds the command, parses the options
// (adding the common ones: --help, --quiet, --verbose) and calls it.
#pragma once

#include "ArgumentParser.h"
#include "Console.h"

#include <span>
#include <string_view>

namespace orvhost {

struct Command {
    std::string_view name;
    std::string_view summary;  // one line for the command list
    std::string_view usage;    // the synopsis after "orvhost "
    std::string_view details;  // what it does and its own options, for --help
    std::span<const OptionSpec> options;
    // Returns an ExitCode; reports its own errors on the console.
    int (*run)(const ParsedArguments& arguments, const Console& console);
};

const Command& InfoCommand();
const Command& ParamsCommand();
const Command& ProgramsCommand();
const Command& RenderCommand();
const Command& SaveCommand();
const Command& SnapshotCommand();

}  // namespace orvhost
