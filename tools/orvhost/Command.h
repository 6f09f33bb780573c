// A subcommand of orvhost: its name, its help text, and how it declares its
// options on the CLI11 parser. main() finds the command, answers --help,
// adds the common options (--quiet, --verbose), parses and runs it.
#pragma once

#include "tools/orvhost/Console.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <string_view>

namespace orv::host {

// Runs a command with what the parse left in its settings; returns an
// ExitCode and reports its own errors on the console.
using CommandRun = std::function<int(const Console& console)>;

struct Command {
    std::string_view name;
    std::string_view summary;  // one line for the command list
    std::string_view usage;    // the synopsis after "orvhost "
    std::string_view details;  // what it does and its own options, for --help
    // Adds the command's options and positional words to app, bound to
    // settings the returned function keeps and runs with.
    CommandRun (*declare)(CLI::App& app);
};

const Command& InfoCommand();
const Command& ParamsCommand();
const Command& ProgramsCommand();
const Command& RenderCommand();
const Command& SaveCommand();
const Command& SnapshotCommand();

}  // namespace orv::host
