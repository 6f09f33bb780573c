#include "engine/SynthGlobals.h"

namespace orv::engine {

SynthGlobals& GlobalSynthSettings()
{
    static SynthGlobals settings;
    return settings;
}

}  // namespace orv::engine
