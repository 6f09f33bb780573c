// Program and bank chunks exchanged with the host. The memory handed out
// stays ours and valid until the next chunk call of the same kind.
#include "framework/VstPlugin.h"

#include <climits>
#include <cstring>
#include <string>

namespace orv::framework {

namespace {

// Chunks larger than this are refused rather than copied.
constexpr intptr_t kLargestChunk = 64 * 1024 * 1024;

}  // namespace

intptr_t VstPlugin::GetChunk(int32_t index, void* ptr)
{
    if (ptr == nullptr)
        return 0;
    const bool bank = index == 0 && !HostNeedsProgramChunks();
    SerialBuffer& buffer = bank ? bankChunk : stateChunk;
    bool ok = false;
    WriteFrameworkHeader(buffer);
    if (bank) {
        ModifyCurrentPreset(nullptr);
        ok = SerializePresets(buffer);
    } else {
        ok = WriteProgramState(buffer) && buffer.PutString(GetProgramName(currentProgram));
    }
    if (!ok || buffer.Size() == 0)
        return 0;
    *static_cast<void**>(ptr) = buffer.Data();
    return static_cast<intptr_t>(buffer.Size());
}

intptr_t VstPlugin::SetChunk(int32_t index, intptr_t size, const void* data)
{
    if (data == nullptr || size < 0 || size > kLargestChunk)
        return 0;
    const bool needsProgramChunks = HostNeedsProgramChunks();
    const bool bank = index == 0 && !needsProgramChunks;
    SerialBuffer& buffer = bank ? bankChunk : stateChunk;
    if (!buffer.Resize(static_cast<size_t>(size)))
        return 0;
    if (size > 0)
        std::memcpy(buffer.Data(), data, static_cast<size_t>(size));

    // A chunk that cannot be read must not leave programs half replaced.
    const PresetSnapshot before = TakeSnapshot();
    int position = 0;
    const int32_t frameworkVersion = ReadFrameworkHeader(buffer, position);
    int result = 0;
    if (bank && frameworkVersion >= kFrameworkVersion) {
        result = UnserializePresets(buffer, position);
    } else {
        result = ReadProgramState(buffer, position);
        if (result < size) {
            std::string name;
            result = buffer.GetString(result, name);
            ModifyCurrentPreset(name.c_str());
        } else {
            ModifyCurrentPreset(nullptr);
        }
    }

    if (needsProgramChunks) {
        if (result != size) {
            // Not consumed as one program: these hosts also send banks this way.
            if (!bankChunk.Resize(static_cast<size_t>(size)))
                return 0;
            if (size > 0)
                std::memcpy(bankChunk.Data(), data, static_cast<size_t>(size));
            position = 0;
            if (ReadFrameworkHeader(bankChunk, position) >= kFrameworkVersion)
                result = UnserializePresets(bankChunk, position);
            else
                result = position;
        }
    }
    if (result < 0) {
        RestoreSnapshot(before);
        return 0;
    }
    RefreshParameterControls();
    return 1;
}

}  // namespace orv::framework
