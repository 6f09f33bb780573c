// The plug-in's own FXP (one program) and FXB (bank) files, in and out
// through the preset codec; the chunks inside are the same bytes the host
// gets from effGetChunk. Loading forgives what it always has: any bank
// version, a short parameter list, a chunk size field that is off.
#include "framework/PluginBase.h"

#include "framework/BigEndianReader.h"
#include "framework/PresetFile.h"
#include "platform/AtomicFile.h"
#include "platform/FileContents.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <span>
#include <string_view>

namespace orv::framework {

namespace {

// Preset files are small; anything larger is not one of ours.
constexpr size_t kLargestFile = 64u * 1024 * 1024;
constexpr size_t kValueBytes = 4;

std::span<const uint8_t> BytesOf(const SerialBuffer& buffer)
{
    return {buffer.Data(), buffer.Size()};
}

// Regular files only: a pipe or device chosen in a file dialog must not
// stall the host.
bool ReadWholeFile(const char* path, SerialBuffer& buffer)
{
    std::string contents;
    return platform::ReadWholeFile(path, kLargestFile, contents) == platform::FileReadResult::Read &&
           buffer.PutBytes(contents.data(), contents.size());
}

bool WritePresetFile(const char* path, const PresetFile& file)
{
    const std::vector<uint8_t> bytes = SerializePresetFile(file, PresetByteSize::kWholeFile);
    return platform::WriteFileAtomically(path,
                                         std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// The name as these files have always held it: its first 27 bytes.
std::string NameField(const char* name)
{
    return std::string(name, strnlen(name, kPresetNameBytes - 1));
}

// count values, all finite, from the start of bytes.
bool ReadFiniteValues(std::span<const uint8_t> bytes, size_t count, std::vector<float>& values)
{
    BigEndianReader reader(bytes);
    values.resize(count);
    for (float& value : values)
        if (!reader.ReadFloat(value) || !std::isfinite(value))
            return false;
    return true;
}

}  // namespace

bool PluginBase::WriteProgramFile(const char* path)
{
    LockGuard guard(lock);
    if (path == nullptr || path[0] == '\0')
        return false;
    SerialBuffer chunk;
    WriteFrameworkHeader(chunk);
    if (!WriteProgramState(chunk))
        return false;
    try {
        PresetFile file;
        file.kind = PresetKind::kProgramChunk;
        file.pluginId = uniqueId;
        file.pluginVersion = DecimalVersion(version);
        file.parameterCount = ParameterCount();
        file.programName = NameField(GetProgramName(currentProgram));
        file.chunk.assign(chunk.Data(), chunk.Data() + chunk.Size());
        return WritePresetFile(path, file);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool PluginBase::WriteBankFile(const char* path)
{
    LockGuard guard(lock);
    if (path == nullptr || path[0] == '\0')
        return false;
    SerialBuffer chunk;
    WriteFrameworkHeader(chunk);
    if (!SerializePresets(chunk))
        return false;
    try {
        PresetFile file;
        file.kind = PresetKind::kBankChunk;
        file.pluginId = uniqueId;
        file.pluginVersion = DecimalVersion(version);
        file.programCount = ProgramCount();
        file.currentProgram = currentProgram;
        file.chunk.assign(chunk.Data(), chunk.Data() + chunk.Size());
        return WritePresetFile(path, file);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool PluginBase::ReadProgramFile(const char* path)
{
    LockGuard guard(lock);
    SerialBuffer file;
    if (path == nullptr || path[0] == '\0' || !ReadWholeFile(path, file))
        return false;
    return ReadProgramData(file);
}

bool PluginBase::ReadProgramData(const SerialBuffer& file)
{
    LockGuard guard(lock);
    const std::span<const uint8_t> bytes = BytesOf(file);
    PresetHeader header;
    if (!ReadPresetHeader(bytes, header) || IsBank(header.kind) || header.formatVersion != 1 ||
        header.pluginId != uniqueId)
        return false;

    if (doesChunks && header.kind == PresetKind::kProgramChunk) {
        // The state runs to the end of the file, whatever its size field says.
        constexpr size_t kChunkStart = kProgramHeaderBytes + kChunkSizeBytes;
        if (file.Size() <= kChunkStart)
            return false;
        int position = static_cast<int>(kChunkStart);
        int32_t magic = 0;
        if (file.GetInt32(position, magic) >= 0 && magic == kChunkMagic)
            position += 8;
        const PresetSnapshot before = TakeSnapshot();
        if (ReadProgramState(file, position) < 0) {
            RestoreSnapshot(before);
            return false;
        }
    } else if (header.kind == PresetKind::kProgramParameters) {
        // Apply the values that are present; a short list leaves the rest.
        const std::span<const uint8_t> values = bytes.subspan(kProgramHeaderBytes);
        std::vector<float> present;
        if (!ReadFiniteValues(values, std::min(static_cast<size_t>(ParameterCount()), values.size() / kValueBytes),
                              present))
            return false;
        for (size_t i = 0; i < present.size(); ++i)
            GetParameter(static_cast<int>(i)).SetNormalised(present[i]);
    } else {
        return false;
    }
    ModifyCurrentPreset(header.programName.c_str());
    RecallProgram(currentProgram);
    NotifyProgramChange();
    return true;
}

bool PluginBase::ReadBankFile(const char* path)
{
    LockGuard guard(lock);
    SerialBuffer file;
    if (path == nullptr || path[0] == '\0' || !ReadWholeFile(path, file))
        return false;
    return ReadBankData(file);
}

bool PluginBase::ReadBankData(const SerialBuffer& file)
{
    LockGuard guard(lock);
    const std::span<const uint8_t> bytes = BytesOf(file);
    PresetHeader header;
    if (!ReadPresetHeader(bytes, header) || !IsBank(header.kind) || header.pluginId != uniqueId)
        return false;

    if (doesChunks && header.kind == PresetKind::kBankChunk) {
        constexpr size_t kChunkStart = kBankHeaderBytes + kChunkSizeBytes;
        if (file.Size() <= kChunkStart)
            return false;
        int position = static_cast<int>(kChunkStart);
        int32_t magic = 0;
        if (file.GetInt32(position, magic) >= 0 && magic == kChunkMagic)
            position += 8;
        const PresetSnapshot before = TakeSnapshot();
        if (UnserializePresets(file, position) < 0) {
            RestoreSnapshot(before);
            return false;
        }
    } else if (header.kind == PresetKind::kBankPrograms) {
        // Every record is checked before any program changes, so a bad
        // record further on costs the user nothing. Records beyond the
        // plug-in's programs are not read.
        const size_t parameters = static_cast<size_t>(ParameterCount());
        const size_t recordSize = kProgramHeaderBytes + kValueBytes * parameters;
        const int records = std::clamp(header.count, 0, ProgramCount());
        std::vector<PresetProgram> programs(static_cast<size_t>(records));
        for (size_t i = 0; i < programs.size(); ++i) {
            const size_t at = kBankHeaderBytes + i * recordSize;
            if (bytes.size() < at + recordSize)
                return false;
            const std::span<const uint8_t> record = bytes.subspan(at, recordSize);
            PresetHeader recordHeader;
            if (!ReadPresetHeader(record, recordHeader) || recordHeader.kind != PresetKind::kProgramParameters ||
                recordHeader.formatVersion != 1 || recordHeader.count != ParameterCount() ||
                !ReadFiniteValues(record.subspan(kProgramHeaderBytes), parameters, programs[i].values))
                return false;
            programs[i].name = std::move(recordHeader.programName);
        }
        for (size_t i = 0; i < programs.size(); ++i) {
            RecallProgram(static_cast<int>(i));
            for (size_t p = 0; p < parameters; ++p)
                GetParameter(static_cast<int>(p)).SetNormalised(programs[i].values[p]);
            ModifyCurrentPreset(programs[i].name.c_str());
        }
        // The current program's field, read whatever the bank's version.
        RecallProgram(header.currentProgram);
    } else {
        return false;
    }
    NotifyProgramChange();
    return true;
}

PluginBase::PresetSnapshot PluginBase::TakeSnapshot()
{
    PresetSnapshot snapshot;
    snapshot.currentProgram = currentProgram;
    WriteProgramState(snapshot.liveState);
    for (const auto& slot : programs)
        snapshot.slots.push_back(*slot);
    return snapshot;
}

void PluginBase::RestoreSnapshot(const PresetSnapshot& snapshot)
{
    for (size_t i = 0; i < programs.size() && i < snapshot.slots.size(); ++i)
        *programs[i] = snapshot.slots[i];
    currentProgram = snapshot.currentProgram;
    ReadProgramState(snapshot.liveState, 0);
    ProgramsChanged();
    RefreshParameterControls();
}

}  // namespace orv::framework
