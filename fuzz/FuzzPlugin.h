// The plug-in instance of a fuzz target: built once and reused, since
// building one per input would make fuzzing a thousand times slower; its
// settings live in a private folder, never in the user's.
#pragma once

#include "instrument/ORV.h"

#include <cstdlib>

inline orv::instrument::ORV& FuzzPlugin()
{
    static orv::instrument::ORV* plugin = [] {
        char folder[] = "/tmp/orv-fuzz-settings.XXXXXX";
        if (mkdtemp(folder) != nullptr)
            setenv("XDG_CONFIG_HOME", folder, 1);
        orv::instrument::ORV* instance = new orv::instrument::ORV(nullptr);
        instance->FillEmptyPrograms(instance->ProgramCount());
        return instance;
    }();
    return *plugin;
}
