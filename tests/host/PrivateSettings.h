// Every plug-in a host test creates keeps its per-user settings in a private
// temporary folder, never in the real home folder. The folder is set up
// before the first test runs and removed when the program ends.
#pragma once

#include <filesystem>
#include <string>

namespace hosttest {

// The folder that stands in for the user's settings folder.
const std::filesystem::path& PrivateSettingsFolder();

// The settings file ("Tarnwick/orv.ini") every new instance reads.
std::filesystem::path SettingsFile();

// Replaces the settings file with text, for the instances created next.
void WriteSettingsFile(const std::string& text);
std::string ReadSettingsFile();

}  // namespace hosttest
