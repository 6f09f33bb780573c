// Steps that the commands working on a plug-in share.
#pragma once

#include "tools/orvhost/Console.h"
#include "tools/orvhost/HostSession.h"
#include "tools/orvhost/StateSetup.h"
#include "tools/orvhost/TextTable.h"

#include <CLI/CLI.hpp>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace orv::host {

// The first positional word of every command working on a plug-in.
inline constexpr std::string_view kPluginWord = "PLUGIN (the path of a VST 2 plug-in library)";

// What such a command takes: its positional words and the state options.
struct PluginArguments {
    std::vector<std::string> words;
    StateSetup setup;
};

// Collects every positional word into words; they are checked after the
// parse, by ReadPositionals.
void AddPositionals(CLI::App& app, std::vector<std::string>& words);
// The positional words and the state options (--save only when withSave).
void AddPluginArguments(CLI::App& app, PluginArguments& arguments, bool withSave);

// Requires exactly one positional word per description, such as kPluginWord.
// False with a usage message.
bool ReadPositionals(const std::vector<std::string>& words, std::initializer_list<std::string_view> descriptions,
                     std::string& error);

// Loads the plug-in, opens it and applies the state setup. Returns an ExitCode and reports its own errors.
int StartSession(HostSession& session, const std::string& plugin, const StateSetup& setup, std::string_view command,
                 const Console& console);

// params and programs: after the state setup, a table of what the plug-in
// shows, printed once the plug-in is closed and any --save written.
int RunListing(const PluginArguments& arguments, std::string_view command, const Console& console,
               TextTable (*list)(HostSession& session));

// Standard output may be closed or full; output that did not arrive is a
// failure. Returns an ExitCode.
int FinishOutput(const Console& console);

}  // namespace orv::host
