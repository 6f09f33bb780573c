// How commands set a plug-in up before their work, as a user sets up a
// track in a DAW: --load FILE (a preset file), --program N|NAME, --set
// INDEX=VALUE (a normalised parameter value; repeatable) and --save FILE.
//
// The order is that of a DAW session: a bank is loaded first and a program
// chosen in it; a single program (.fxp) is loaded into the chosen program.
// Parameter settings come last, and --save writes what all of that left.
#pragma once

#include "tools/orvhost/Console.h"
#include "tools/orvhost/HostSession.h"
#include "tools/orvhost/PluginState.h"

#include <CLI/CLI.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace orv::host {

struct ParameterSetting {
    std::string text;  // as given, for messages
    int64_t index = 0;
    float value = 0.0f;
};

struct StateSetup {
    std::string loadPath;
    std::string program;  // empty: keep the plug-in's current program
    std::vector<ParameterSetting> settings;
    std::string savePath;
    StateScope saveScope = StateScope::kProgram;
};

// For --help; withSave adds the --save line.
std::string StateOptionHelp(bool withSave);

// Adds --load, --program, --set and (withSave) --save to app, filling setup.
// Their form is checked as they are parsed, before a plug-in is loaded.
void AddStateOptions(CLI::App& app, StateSetup& setup, bool withSave);
// Checks a file name that is to receive a preset (.fxp or .fxb).
bool ReadSaveTarget(const std::string& path, std::string_view what, StateSetup& setup, std::string& error);

// Loads, chooses the program and sets the parameters on an opened session.
// Returns an ExitCode: usage for a program or parameter that does not exist,
// failure for a file that cannot be used. Reports its own errors.
int ApplyStateSetup(HostSession& session, const StateSetup& setup, std::string_view command, const Console& console);

// Writes setup.savePath when given; returns an ExitCode.
int SaveStateSetup(HostSession& session, const StateSetup& setup, const Console& console);

}  // namespace orv::host
