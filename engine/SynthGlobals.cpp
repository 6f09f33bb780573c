#include "engine/SynthGlobals.h"

SynthGlobals& GlobalSynthSettings()
{
    static SynthGlobals settings;
    return settings;
}
