#include "tools/orvhost/Console.h"

#include "platform/Terminal.h"

#include <cstdio>
#include <string>

namespace orv::host {

namespace {

void PrintLine(std::string_view prefix, std::string_view message)
{
    std::string line = "orvhost";
    line += prefix;
    line += message;
    line += '\n';
    std::fflush(stdout);  // keep the order of the two streams when both go to one place
    std::fputs(line.c_str(), stderr);
}

}  // namespace

bool Console::ShowsProgress() const
{
    switch (verbosity) {
    case Verbosity::kQuiet:
        return false;
    case Verbosity::kVerbose:
        return true;
    case Verbosity::kNormal:
        break;
    }
    return platform::StandardErrorIsTerminal();
}

void Console::Error(std::string_view message) const
{
    PrintLine(": ", message);
}

void Console::Warning(std::string_view message) const
{
    if (verbosity != Verbosity::kQuiet)
        PrintLine(": warning: ", message);
}

void Console::Note(std::string_view message) const
{
    if (verbosity == Verbosity::kVerbose)
        PrintLine(": ", message);
}

void Console::UsageError(std::string_view command, std::string_view message) const
{
    const std::string name = command.empty() ? std::string() : " " + std::string(command);
    PrintLine(name + ": ", message);
    PrintLine("", ": try 'orvhost" + name + " --help' for more information");
}

}  // namespace orv::host
