// The plug-in instance of a fuzz target: built once and reused, since
// building one per input would make fuzzing a thousand times slower; its
// settings live in a private folder, never in the user's.
#pragma once

#include "instrument/ORV.h"

#include <cstdlib>

inline ORV& FuzzPlugin()
{
    static ORV* plugin = [] {
        char folder[] = "/tmp/orv-fuzz-settings.XXXXXX";
        if (mkdtemp(folder) != nullptr)
            setenv("XDG_CONFIG_HOME", folder, 1);
        ORV* instance = new ORV(nullptr);
        instance->FillEmptyPrograms(instance->ProgramCount());
        return instance;
    }();
    return *plugin;
}
