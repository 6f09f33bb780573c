// The per-user folders the instrument keeps its files in.
#pragma once

#include <string>

namespace orv::platform {

// Where per-user application settings live: %LOCALAPPDATA% on Windows,
// $XDG_CONFIG_HOME (else ~/.config) elsewhere. Empty when unknown.
std::string LocalSettingsFolder();

// The user's documents folder: the shell's on Windows; the XDG documents
// directory (else ~/Documents, else $HOME) elsewhere.
std::string DocumentsFolder();

// Creates folder when missing (its parent must exist); true when it exists afterwards.
bool EnsureFolder(const std::string& folder);

// The separator between folder and file names on this system.
char PathSeparator();

// True when a file (not a folder) exists at path.
bool FileExists(const std::string& path);

// Creates an empty file at path; a file already there is left as it is (never
// truncated). False when no file could be created or opened there.
bool CreateEmptyFile(const std::string& path);

}  // namespace orv::platform
