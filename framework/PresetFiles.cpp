// FXP (one program) and FXB (bank) files. Header integers are big-endian;
// the chunks inside are the same bytes the host gets from effGetChunk.
#include "PluginBase.h"

#include "AtomicFile.h"
#include "VstAbi.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

namespace {

constexpr int32_t kCcnK = vst::FourCC('C', 'c', 'n', 'K');
constexpr int32_t kFxCk = vst::FourCC('F', 'x', 'C', 'k');
constexpr int32_t kFPCh = vst::FourCC('F', 'P', 'C', 'h');
constexpr int32_t kFxBk = vst::FourCC('F', 'x', 'B', 'k');
constexpr int32_t kFBCh = vst::FourCC('F', 'B', 'C', 'h');

constexpr size_t kProgramHeaderSize = 56;  // up to the end of prgName
constexpr size_t kProgramChunkOffset = 60;
constexpr size_t kBankHeaderSize = 156;    // up to the end of future
constexpr size_t kBankChunkOffset = 160;
constexpr size_t kNameSize = 28;
// Preset files are small; anything larger is not one of ours.
constexpr long kLargestFile = 64L * 1024 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

// Reads a whole file; false when it cannot be opened or is implausibly large.
bool ReadWholeFile(const char* path, SerialBuffer& buffer)
{
    FilePointer file(std::fopen(path, "rb"));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return false;
    const long size = std::ftell(file.get());
    if (size < 0 || size > kLargestFile || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return false;
    if (!buffer.Resize(static_cast<size_t>(size)))
        return false;
    return size == 0 || std::fread(buffer.Data(), 1, static_cast<size_t>(size), file.get()) == static_cast<size_t>(size);
}

bool WriteWholeFile(const char* path, const SerialBuffer& buffer)
{
    return platform::WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(buffer.Data()), buffer.Size()));
}

class BigEndianWriter {
public:
    explicit BigEndianWriter(SerialBuffer& target) : buffer(target) {}
    void Int32(int32_t value)
    {
        const uint32_t v = static_cast<uint32_t>(value);
        const uint8_t bytes[4] = {static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16),
                                  static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
        ok = buffer.PutBytes(bytes, 4) && ok;
    }
    void Float(float value)
    {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, 4);
        Int32(static_cast<int32_t>(bits));
    }
    void Name(const char* name)
    {
        char field[kNameSize] = {};
        std::strncpy(field, name, kNameSize - 1);  // keeps a terminating zero
        ok = buffer.PutBytes(field, kNameSize) && ok;
    }
    void Zeros(size_t count)
    {
        for (size_t i = 0; i < count; ++i)
            ok = buffer.PutBytes("", 1) && ok;
    }
    void Bytes(const SerialBuffer& other) { ok = buffer.PutBytes(other.Data(), other.Size()) && ok; }
    bool Ok() const { return ok; }

private:
    SerialBuffer& buffer;
    bool ok = true;
};

int32_t ReadBigInt32(const SerialBuffer& buffer, size_t offset)
{
    const uint8_t* p = buffer.Data() + offset;
    return static_cast<int32_t>((static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
                                (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]));
}

float ReadBigFloat(const SerialBuffer& buffer, size_t offset)
{
    const uint32_t bits = static_cast<uint32_t>(ReadBigInt32(buffer, offset));
    float value = 0.0f;
    std::memcpy(&value, &bits, 4);
    return value;
}

// A prgName field need not be terminated: all 28 bytes may be name.
std::string ReadName(const SerialBuffer& buffer, size_t offset)
{
    const char* first = reinterpret_cast<const char*>(buffer.Data() + offset);
    return std::string(first, strnlen(first, kNameSize));
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
    SerialBuffer file;
    BigEndianWriter out(file);
    out.Int32(kCcnK);
    out.Int32(static_cast<int32_t>(chunk.Size() + kProgramChunkOffset));
    out.Int32(kFPCh);
    out.Int32(1);
    out.Int32(uniqueId);
    out.Int32(DecimalVersion(version));
    out.Int32(ParameterCount());
    out.Name(GetProgramName(currentProgram));
    out.Int32(static_cast<int32_t>(chunk.Size()));
    out.Bytes(chunk);
    return out.Ok() && WriteWholeFile(path, file);
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
    SerialBuffer file;
    BigEndianWriter out(file);
    out.Int32(kCcnK);
    out.Int32(static_cast<int32_t>(chunk.Size() + kBankChunkOffset));
    out.Int32(kFBCh);
    out.Int32(2);
    out.Int32(uniqueId);
    out.Int32(DecimalVersion(version));
    out.Int32(ProgramCount());
    out.Int32(currentProgram);
    out.Zeros(124);
    out.Int32(static_cast<int32_t>(chunk.Size()));
    out.Bytes(chunk);
    return out.Ok() && WriteWholeFile(path, file);
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
    if (file.Size() < kProgramHeaderSize)
        return false;
    const int32_t chunkMagic = ReadBigInt32(file, 0);
    const int32_t fxMagic = ReadBigInt32(file, 8);
    const int32_t fileVersion = ReadBigInt32(file, 12);
    const int32_t fxId = ReadBigInt32(file, 16);
    const std::string name = ReadName(file, 28);
    if (chunkMagic != kCcnK || fileVersion != 1 || fxId != uniqueId)
        return false;

    if (doesChunks && fxMagic == kFPCh) {
        if (file.Size() <= kProgramChunkOffset)
            return false;
        int position = static_cast<int>(kProgramChunkOffset);
        int32_t magic = 0;
        if (file.GetInt32(position, magic) >= 0 && magic == kChunkMagic)
            position += 8;
        const PresetSnapshot before = TakeSnapshot();
        if (ReadProgramState(file, position) < 0) {
            RestoreSnapshot(before);
            return false;
        }
    } else if (fxMagic == kFxCk) {
        // Apply the values that are present; a short list leaves the rest.
        const size_t present = std::min(static_cast<size_t>(ParameterCount()), (file.Size() - kProgramHeaderSize) / 4);
        for (size_t i = 0; i < present; ++i)
            if (!std::isfinite(ReadBigFloat(file, kProgramHeaderSize + 4 * i)))
                return false;
        for (size_t i = 0; i < present; ++i)
            GetParameter(static_cast<int>(i)).SetNormalised(ReadBigFloat(file, kProgramHeaderSize + 4 * i));
    } else {
        return false;
    }
    ModifyCurrentPreset(name.c_str());
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
    if (file.Size() < kBankHeaderSize)
        return false;
    const int32_t chunkMagic = ReadBigInt32(file, 0);
    const int32_t fxMagic = ReadBigInt32(file, 8);
    const int32_t fxId = ReadBigInt32(file, 16);
    const int32_t programsInFile = ReadBigInt32(file, 24);
    const int32_t fileCurrentProgram = ReadBigInt32(file, 28);
    if (chunkMagic != kCcnK || fxId != uniqueId)
        return false;

    if (doesChunks && fxMagic == kFBCh) {
        if (file.Size() <= kBankChunkOffset)
            return false;
        int position = static_cast<int>(kBankChunkOffset);
        int32_t magic = 0;
        if (file.GetInt32(position, magic) >= 0 && magic == kChunkMagic)
            position += 8;
        const PresetSnapshot before = TakeSnapshot();
        if (UnserializePresets(file, position) < 0) {
            RestoreSnapshot(before);
            return false;
        }
    } else if (fxMagic == kFxBk) {
        // Every record is checked before any program changes, so a bad
        // record further on costs the user nothing.
        const size_t recordSize = kProgramHeaderSize + 4 * static_cast<size_t>(ParameterCount());
        const int records = std::clamp(programsInFile, 0, ProgramCount());
        for (int i = 0; i < records; ++i) {
            const size_t at = kBankHeaderSize + static_cast<size_t>(i) * recordSize;
            if (file.Size() < at + recordSize)
                return false;
            if (ReadBigInt32(file, at) != kCcnK || ReadBigInt32(file, at + 8) != kFxCk ||
                ReadBigInt32(file, at + 12) != 1 || ReadBigInt32(file, at + 24) != ParameterCount())
                return false;
            for (int p = 0; p < ParameterCount(); ++p)
                if (!std::isfinite(ReadBigFloat(file, at + kProgramHeaderSize + 4 * static_cast<size_t>(p))))
                    return false;
        }
        for (int i = 0; i < records; ++i) {
            const size_t at = kBankHeaderSize + static_cast<size_t>(i) * recordSize;
            const std::string name = ReadName(file, at + 28);
            RecallProgram(i);
            for (int p = 0; p < ParameterCount(); ++p)
                GetParameter(p).SetNormalised(ReadBigFloat(file, at + kProgramHeaderSize + 4 * static_cast<size_t>(p)));
            ModifyCurrentPreset(name.c_str());
        }
        RecallProgram(fileCurrentProgram);
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
