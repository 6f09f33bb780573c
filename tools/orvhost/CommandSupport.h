// Steps that the commands working on a plug-in share.
#pragma once

#include "ArgumentParser.h"
#include "Console.h"
#include "HostSession.h"
#include "StateSetup.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace orvhost {

// Takes exactly one positional word per description, such as
// "PLUGIN (the path of a VST 2 plug-in library)". False with a usage message.
bool ReadPositionals(const ParsedArguments& arguments, std::initializer_list<std::string_view> descriptions,
                     std::vector<std::string>& words, std::string& error);

// Loads the plug-in, opens it and applies the state setup. Returns an
// ExitCode and reports its own errors.
int StartSession(HostSession& session, const std::string& plugin, const StateSetup& setup, std::string_view command,
                 const Console& console);

// Standard output may be closed or full; output that did not arrive is a
// failure. Returns an ExitCode.
int FinishOutput(const Console& console);

}  // namespace orvhost
