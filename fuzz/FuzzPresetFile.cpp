// The strict reader of FXP/FXB preset files (the one orvhost uses): any
// bytes as a file's content. What it accepts must come back unchanged through
// the writer (names apart, which the writer cuts to the 27 bytes the format
// holds), and writing what was read back from a written file must give the
// same bytes.
#include "framework/PresetFile.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

using namespace orv::framework;

namespace {

bool SameValues(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0);
}

bool Same(const PresetFile& a, const PresetFile& b)
{
    if (a.kind != b.kind || a.pluginId != b.pluginId || a.pluginVersion != b.pluginVersion || a.chunk != b.chunk ||
        a.programs.size() != b.programs.size())
        return false;
    if (!IsChunk(a.kind) && a.parameterCount != b.parameterCount)
        return false;
    if (IsBank(a.kind) && a.formatVersion >= 2 && a.currentProgram != b.currentProgram)
        return false;
    for (size_t i = 0; i < a.programs.size(); ++i)
        if (!SameValues(a.programs[i].values, b.programs[i].values))
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PresetFile file;
    std::string error;
    if (!ParsePresetFile({data, size}, file, error))
        return 0;
    const std::vector<uint8_t> written = SerializePresetFile(file);
    PresetFile again;
    if (!ParsePresetFile(written, again, error) || !Same(file, again) || SerializePresetFile(again) != written)
        __builtin_trap();
    return 0;
}
