// A plug-in's state carried in and out of VST preset files the way DAWs do
// it. Plug-ins that keep their state as a chunk give it through effGetChunk
// and take it back through effSetChunk (index 0 for the bank, 1 for the
// current program); for the others the host writes and sets the parameters
// of each program itself.
#pragma once

#include "framework/PresetFile.h"
#include "tools/orvhost/HostSession.h"

#include <string>

namespace orv::host {

enum class StateScope {
    kProgram,  // .fxp: the current program
    kBank,     // .fxb: every program
};

// The scope a file name asks for: ".fxp" or ".fxb", in any case. False for
// other names.
bool StateScopeOfFileName(const std::string& path, StateScope& scope);

// Reads and checks a preset file's bytes; nothing reaches a plug-in yet.
bool ReadPresetFile(const std::string& path, framework::PresetFile& file, std::string& error);

// Gives a parsed file to the plug-in. The file must be meant for this
// plug-in (its id) and suit it (parameter and program counts, chunk support);
// otherwise nothing is applied and the reason, about "it" (the file), is
// returned in error.
bool ApplyPresetFile(HostSession& session, const framework::PresetFile& file, std::string& error);

// Writes the plug-in's current program or whole bank to path, replacing the
// file only once the new one is complete.
bool SavePresetFile(HostSession& session, StateScope scope, const std::string& path, std::string& error);

}  // namespace orv::host
