// orvhost: a command-line VST 2 host. It loads a plug-in the way a DAW does
// and reports on it or renders audio through it.

#include "tools/orvhost/Command.h"
#include "tools/orvhost/CommandLine.h"
#include "tools/orvhost/Console.h"
#include "tools/orvhost/ExitCode.h"
#include "tools/orvhost/HostIdentity.h"

#include <CLI/CLI.hpp>

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace orv::host {

namespace {

const std::array<const Command*, 6>& Commands()
{
    static const std::array<const Command*, 6> commands = {&InfoCommand(),   &ParamsCommand(), &ProgramsCommand(),
                                                           &RenderCommand(), &SaveCommand(),   &SnapshotCommand()};
    return commands;
}

const Command* FindCommand(std::string_view name)
{
    for (const Command* command : Commands())
        if (command->name == name)
            return command;
    return nullptr;
}

constexpr std::string_view kCommonOptionHelp =
    "  -q, --quiet         report errors only\n"
    "  -v, --verbose       report what the host does, and progress even when\n"
    "                      standard error is not a terminal\n"
    "  -h, --help          print this help and exit\n";

// stdout may be closed or full; a help text that did not arrive is a failure.
int FinishOutput()
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fputs("orvhost: cannot write to standard output\n", stderr);
        return kExitFailure;
    }
    return kExitSuccess;
}

int PrintOverview()
{
    std::printf("usage:");
    const char* lead = " ";
    for (const Command* command : Commands()) {
        std::printf("%sorvhost %.*s\n", lead, static_cast<int>(command->usage.size()), command->usage.data());
        lead = "       ";
    }
    std::printf("%sorvhost --help | --version\n\n", lead);
    std::printf("A command-line VST 2 host: loads a plug-in the way a DAW does.\n\ncommands:\n");
    for (const Command* command : Commands())
        std::printf("  %-8.*s %.*s\n", static_cast<int>(command->name.size()), command->name.data(),
                    static_cast<int>(command->summary.size()), command->summary.data());
    std::printf("\nRun 'orvhost COMMAND --help' for the options of a command.\n"
                "Exit status: 0 on success, 1 when the plug-in or a file fails, 2 on a usage error.\n");
    return FinishOutput();
}

int PrintCommandHelp(const Command& command)
{
    std::printf("usage: orvhost %.*s [-q | -v]\n\n%.*s", static_cast<int>(command.usage.size()), command.usage.data(),
                static_cast<int>(command.details.size()), command.details.data());
    std::printf("%s", std::string(kCommonOptionHelp).c_str());
    return FinishOutput();
}

bool AsksForHelp(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument == "--")
            return false;
        if (argument == "-h" || argument == "--help")
            return true;
    }
    return false;
}

int Main(const std::vector<std::string>& arguments)
{
    const Console plain(Verbosity::kNormal);
    if (arguments.empty()) {
        plain.UsageError("", "missing command (info, params, programs, render or save)");
        return kExitUsage;
    }
    const std::string& first = arguments[0];
    if (first == "-h" || first == "--help" || first == "help") {
        if (first == "help" && arguments.size() > 1) {
            if (const Command* command = FindCommand(arguments[1]))
                return PrintCommandHelp(*command);
            plain.UsageError("", "unknown command '" + arguments[1] + "'");
            return kExitUsage;
        }
        return PrintOverview();
    }
    if (first == "--version") {
        std::printf("orvhost %d.%d.%d\n", kVersionMajor, kVersionMinor, kVersionPatch);
        return FinishOutput();
    }
    const Command* command = FindCommand(first);
    if (command == nullptr) {
        plain.UsageError("",
                         first.starts_with("-") ? "unknown option '" + first + "'" : "unknown command '" + first + "'");
        return kExitUsage;
    }

    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (AsksForHelp(rest))
        return PrintCommandHelp(*command);

    CLI::App app;
    app.set_help_flag();  // answered above, before anything else is looked at
    int quiet = 0;
    int verbose = 0;
    app.add_flag("-q,--quiet", quiet)->disable_flag_override();
    app.add_flag("-v,--verbose", verbose)->disable_flag_override();
    const CommandRun run = command->declare(app);
    if (std::string error; !ParseCommandLine(app, rest, error)) {
        plain.UsageError(command->name, error);
        return kExitUsage;
    }
    if (quiet > 0 && verbose > 0) {
        plain.UsageError(command->name, "--quiet and --verbose cannot be used together");
        return kExitUsage;
    }
    const Console console(quiet > 0 ? Verbosity::kQuiet : verbose > 0 ? Verbosity::kVerbose : Verbosity::kNormal);
    return run(console);
}

}  // namespace

}  // namespace orv::host

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return orv::host::Main(arguments);
}
