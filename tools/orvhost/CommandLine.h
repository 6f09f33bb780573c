// A command's words parsed by CLI11 the way orvhost has always read them:
// "--name value", "--name=value" (also an empty value), "-n value", "-nvalue",
// flags without a value, "--" before words that only look like options, and
// options repeated or mixed with the positional words in any order.
#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace orv::host {

// Fills the options and positional words declared on app. False with a
// one-line usage message in error: an unknown option, a missing value, a
// flag given one, or what an option's own check said.
bool ParseCommandLine(CLI::App& app, const std::vector<std::string>& words, std::string& error);

}  // namespace orv::host
