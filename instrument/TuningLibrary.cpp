#include "instrument/TuningLibrary.h"

#include "engine/MtsClient.h"
#include "platform/SharedLibrary.h"
#include "platform/TuningLibraryPath.h"

#include <cstdlib>
#include <mutex>

namespace orv::instrument {

namespace {

// Kept loaded for the life of the process; released at exit.
platform::SharedLibrary& Library()
{
    static platform::SharedLibrary library;
    return library;
}

template <typename Function>
void Resolve(Function& function, const char* name)
{
    function = reinterpret_cast<Function>(Library().Symbol(name));
}

void Bind()
{
    engine::MtsBinding& binding = engine::ProcessMtsBinding();
    binding = engine::MtsBinding();
    const char* override = std::getenv("ORV_MTS_LIBRARY");
    const std::string path = override != nullptr && override[0] != '\0' ? override : platform::TuningLibraryPath();
    if (path.empty() || !Library().Open(path))
        return;
    Resolve(binding.registerClient, "MTS_RegisterClient");
    Resolve(binding.deregisterClient, "MTS_DeregisterClient");
    Resolve(binding.hasMaster, "MTS_HasMaster");
    Resolve(binding.shouldFilterNote, "MTS_ShouldFilterNote");
    Resolve(binding.shouldFilterNoteMultiChannel, "MTS_ShouldFilterNoteMultiChannel");
    Resolve(binding.getTuningTable, "MTS_GetTuningTable");
    Resolve(binding.getMultiChannelTuningTable, "MTS_GetMultiChannelTuningTable");
    Resolve(binding.useMultiChannelTuning, "MTS_UseMultiChannelTuning");
    Resolve(binding.getScaleName, "MTS_GetScaleName");
    if (binding.getTuningTable != nullptr)
        binding.masterTable = binding.getTuningTable();
    for (int channel = 0; channel < 16; ++channel)
        binding.channelTables[channel] = binding.getMultiChannelTuningTable != nullptr
                                             ? binding.getMultiChannelTuningTable(static_cast<char>(channel))
                                             : nullptr;
}

}  // namespace

void BindTuningLibrary()
{
    static std::once_flag once;
    std::call_once(once, Bind);
}

}  // namespace orv::instrument
