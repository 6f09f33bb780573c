#include "framework/PresetFile.h"

#include "framework/BigEndianReader.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace orv::framework {

namespace {

constexpr uint32_t Magic(const char (&text)[5])
{
    return static_cast<uint32_t>(static_cast<uint8_t>(text[0])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(text[1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(text[2])) << 8 | static_cast<uint8_t>(text[3]);
}

constexpr uint32_t kFileMagic = Magic("CcnK");
constexpr uint32_t kProgramParametersMagic = Magic("FxCk");
constexpr uint32_t kProgramChunkMagic = Magic("FPCh");
constexpr uint32_t kBankProgramsMagic = Magic("FxBk");
constexpr uint32_t kBankChunkMagic = Magic("FBCh");

// The reserved bytes of an FXB header after the current program.
constexpr size_t kBankFutureBytes = 124;
// The two fields before a byte size field counts: "CcnK" and itself.
constexpr size_t kFileMagicBytes = 8;

std::string MagicText(uint32_t magic)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto c = static_cast<char>((magic >> shift) & 0xff);
        text += (c >= 0x20 && c < 0x7f) ? c : '?';
    }
    return text;
}

std::string NameFromField(std::span<const uint8_t> field)
{
    size_t length = 0;
    while (length < field.size() && field[length] != 0)
        ++length;
    return std::string(reinterpret_cast<const char*>(field.data()), length);
}

bool KindOfMagic(uint32_t magic, PresetKind& kind)
{
    switch (magic) {
    case kProgramParametersMagic:
        kind = PresetKind::kProgramParameters;
        return true;
    case kProgramChunkMagic:
        kind = PresetKind::kProgramChunk;
        return true;
    case kBankProgramsMagic:
        kind = PresetKind::kBankPrograms;
        return true;
    case kBankChunkMagic:
        kind = PresetKind::kBankChunk;
        return true;
    default:
        return false;
    }
}

// The common start of FXP files and of the program records of FxBk banks,
// after chunkMagic and byteSize.
struct ProgramHeader {
    uint32_t kindMagic = 0;
    int32_t version = 0;
    int32_t pluginId = 0;
    int32_t pluginVersion = 0;
    int32_t parameterCount = 0;
    std::string name;
};

// subject names what is being read in messages: "the file" or "program N".
bool ReadFileMagic(BigEndianReader& reader, const std::string& subject, std::string& error)
{
    uint32_t magic = 0;
    uint32_t byteSize = 0;  // the rest of the file; readers go by the real size
    if (!reader.Read32(magic) || magic != kFileMagic) {
        error = subject == "the file" ? "not a VST preset file (it does not start with \"CcnK\")"
                                      : "corrupt: " + subject + " does not start with \"CcnK\"";
        return false;
    }
    if (!reader.Read32(byteSize)) {
        error = "truncated: " + subject + " ends inside its header";
        return false;
    }
    return true;
}

bool ReadProgramHeader(BigEndianReader& reader, ProgramHeader& header, const std::string& subject, std::string& error)
{
    std::span<const uint8_t> name;
    if (!reader.Read32(header.kindMagic) || !reader.ReadSigned32(header.version) ||
        !reader.ReadSigned32(header.pluginId) || !reader.ReadSigned32(header.pluginVersion) ||
        !reader.ReadSigned32(header.parameterCount) || !reader.ReadBytes(kPresetNameBytes, name)) {
        error = "truncated: " + subject + " ends inside its header";
        return false;
    }
    header.name = NameFromField(name);
    return true;
}

bool ReadValues(BigEndianReader& reader, int32_t count, std::vector<float>& values, const std::string& subject,
                std::string& error)
{
    if (count < 0) {
        error = "corrupt: " + subject + " claims " + std::to_string(count) + " parameters";
        return false;
    }
    if (reader.Remaining() / 4 < static_cast<size_t>(count)) {
        error = "truncated: " + subject + " claims " + std::to_string(count) + " parameter values but has room for " +
                std::to_string(reader.Remaining() / 4);
        return false;
    }
    values.resize(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        float value = 0.0f;
        reader.ReadFloat(value);
        if (!std::isfinite(value)) {
            error = "corrupt: in " + subject + " the value of parameter " + std::to_string(i) + " is not a number";
            return false;
        }
        values[static_cast<size_t>(i)] = value;
    }
    return true;
}

bool ReadChunk(BigEndianReader& reader, std::vector<uint8_t>& chunk, std::string& error)
{
    int32_t size = 0;
    if (!reader.ReadSigned32(size)) {
        error = "truncated: the file ends before the size of its state";
        return false;
    }
    if (size <= 0) {
        error = "corrupt: the size of the state in it is " + std::to_string(size);
        return false;
    }
    std::span<const uint8_t> bytes;
    if (!reader.ReadBytes(static_cast<size_t>(size), bytes)) {
        error = "truncated: it claims " + std::to_string(size) + " bytes of state but only " +
                std::to_string(reader.Remaining()) + " follow";
        return false;
    }
    chunk.assign(bytes.begin(), bytes.end());
    return true;
}

bool ParseProgram(BigEndianReader& reader, const ProgramHeader& header, PresetFile& file, std::string& error)
{
    if (header.version != 1) {
        error = "unsupported program file version " + std::to_string(header.version) + " (only 1 is known)";
        return false;
    }
    file.formatVersion = header.version;
    file.pluginId = header.pluginId;
    file.pluginVersion = header.pluginVersion;
    file.parameterCount = header.parameterCount;
    if (header.kindMagic == kProgramChunkMagic) {
        file.kind = PresetKind::kProgramChunk;
        if (header.parameterCount < 0) {
            error = "corrupt: it claims " + std::to_string(header.parameterCount) + " parameters";
            return false;
        }
        file.programName = header.name;
        return ReadChunk(reader, file.chunk, error);
    }
    file.kind = PresetKind::kProgramParameters;
    PresetProgram program;
    program.name = header.name;
    if (!ReadValues(reader, header.parameterCount, program.values, "the file", error))
        return false;
    file.programs.push_back(std::move(program));
    return true;
}

bool ParseBankPrograms(BigEndianReader& reader, PresetFile& file, std::string& error)
{
    if (file.programCount < 0) {
        error = "corrupt: it claims " + std::to_string(file.programCount) + " programs";
        return false;
    }
    if (reader.Remaining() / kProgramHeaderBytes < static_cast<size_t>(file.programCount)) {
        error = "truncated: it claims " + std::to_string(file.programCount) + " programs but has room for at most " +
                std::to_string(reader.Remaining() / kProgramHeaderBytes);
        return false;
    }
    file.programs.reserve(static_cast<size_t>(file.programCount));
    for (int32_t i = 0; i < file.programCount; ++i) {
        const std::string subject = "program " + std::to_string(i);
        ProgramHeader header;
        if (!ReadFileMagic(reader, subject, error) || !ReadProgramHeader(reader, header, subject, error))
            return false;
        if (header.kindMagic != kProgramParametersMagic) {
            error = "corrupt program " + std::to_string(i) + ": its kind is '" + MagicText(header.kindMagic) +
                    "', not 'FxCk'";
            return false;
        }
        if (header.version != 1) {
            error = "unsupported version " + std::to_string(header.version) + " of program " + std::to_string(i);
            return false;
        }
        if (header.pluginId != file.pluginId) {
            error = "corrupt program " + std::to_string(i) + ": it belongs to another plug-in than the bank";
            return false;
        }
        if (i > 0 && header.parameterCount != file.parameterCount) {
            error = "corrupt program " + std::to_string(i) + ": it has " + std::to_string(header.parameterCount) +
                    " parameters, program 0 has " + std::to_string(file.parameterCount);
            return false;
        }
        file.parameterCount = header.parameterCount;
        PresetProgram program;
        program.name = header.name;
        if (!ReadValues(reader, header.parameterCount, program.values, subject, error))
            return false;
        file.programs.push_back(std::move(program));
    }
    return true;
}

bool ParseBank(BigEndianReader& reader, uint32_t kindMagic, PresetFile& file, std::string& error)
{
    int32_t version = 0;
    if (!reader.ReadSigned32(version) || !reader.ReadSigned32(file.pluginId) ||
        !reader.ReadSigned32(file.pluginVersion) || !reader.ReadSigned32(file.programCount)) {
        error = "truncated: the file ends inside its header";
        return false;
    }
    if (version != 1 && version != 2) {
        error = "unsupported bank file version " + std::to_string(version) + " (1 and 2 are known)";
        return false;
    }
    file.formatVersion = version;
    // Version 1 has no current program: its place is part of the reserved bytes.
    int32_t current = 0;
    if (!reader.ReadSigned32(current) || !reader.Skip(kBankFutureBytes)) {
        error = "truncated: the file ends inside its header";
        return false;
    }
    file.currentProgram = version >= 2 ? current : 0;

    if (kindMagic == kBankChunkMagic) {
        file.kind = PresetKind::kBankChunk;
        if (file.programCount < 0) {
            error = "corrupt: it claims " + std::to_string(file.programCount) + " programs";
            return false;
        }
        return ReadChunk(reader, file.chunk, error);
    }
    file.kind = PresetKind::kBankPrograms;
    return ParseBankPrograms(reader, file, error);
}

void AppendName(std::vector<uint8_t>& out, const std::string& name)
{
    // Cut to 27 bytes, not inside a UTF-8 sequence, and pad with zeros.
    size_t length = std::min(name.size(), kPresetNameBytes - 1);
    while (length > 0 && length < name.size() && (static_cast<uint8_t>(name[length]) & 0xc0) == 0x80)
        --length;
    std::vector<uint8_t> field(kPresetNameBytes, 0);
    std::memcpy(field.data(), name.data(), length);
    out.insert(out.end(), field.begin(), field.end());
}

void AppendProgram(std::vector<uint8_t>& out, uint32_t kindMagic, const PresetFile& file, int32_t parameterCount,
                   const std::string& name)
{
    AppendBigEndian32(out, kFileMagic);
    AppendBigEndian32(out, 0);  // byte size, filled in by the caller
    AppendBigEndian32(out, kindMagic);
    AppendBigEndian32(out, 1);
    AppendBigEndian32(out, static_cast<uint32_t>(file.pluginId));
    AppendBigEndian32(out, static_cast<uint32_t>(file.pluginVersion));
    AppendBigEndian32(out, static_cast<uint32_t>(parameterCount));
    AppendName(out, name);
}

void AppendValues(std::vector<uint8_t>& out, const std::vector<float>& values)
{
    for (float value : values)
        AppendBigEndian32(out, std::bit_cast<uint32_t>(value));
}

void AppendChunk(std::vector<uint8_t>& out, const std::vector<uint8_t>& chunk)
{
    AppendBigEndian32(out, static_cast<uint32_t>(chunk.size()));
    out.insert(out.end(), chunk.begin(), chunk.end());
}

// Program records inside a bank always count the bytes after the field.
void SetByteSize(std::vector<uint8_t>& out, size_t start, PresetByteSize rule = PresetByteSize::kAfterField)
{
    const size_t uncounted = rule == PresetByteSize::kWholeFile ? 0 : kFileMagicBytes;
    const auto size = static_cast<uint32_t>(out.size() - start - uncounted);
    for (int i = 0; i < 4; ++i)
        out[start + 4 + static_cast<size_t>(i)] = static_cast<uint8_t>(size >> (24 - 8 * i));
}

}  // namespace

bool IsBank(PresetKind kind)
{
    return kind == PresetKind::kBankPrograms || kind == PresetKind::kBankChunk;
}

bool IsChunk(PresetKind kind)
{
    return kind == PresetKind::kProgramChunk || kind == PresetKind::kBankChunk;
}

const char* PresetKindMagic(PresetKind kind)
{
    switch (kind) {
    case PresetKind::kProgramParameters:
        return "FxCk";
    case PresetKind::kProgramChunk:
        return "FPCh";
    case PresetKind::kBankPrograms:
        return "FxBk";
    case PresetKind::kBankChunk:
        return "FBCh";
    }
    return "????";
}

bool ParsePresetFile(std::span<const uint8_t> bytes, PresetFile& file, std::string& error)
{
    file = PresetFile{};
    BigEndianReader reader(bytes);
    if (!ReadFileMagic(reader, "the file", error))
        return false;
    uint32_t kindMagic = 0;
    if (!reader.Read32(kindMagic)) {
        error = "truncated: the file ends inside its header";
        return false;
    }
    if (kindMagic == kProgramParametersMagic || kindMagic == kProgramChunkMagic) {
        BigEndianReader headerReader(bytes.subspan(kFileMagicBytes));
        ProgramHeader header;
        if (!ReadProgramHeader(headerReader, header, "the file", error))
            return false;
        BigEndianReader body(bytes.subspan(kProgramHeaderBytes));
        return ParseProgram(body, header, file, error);
    }
    if (kindMagic == kBankProgramsMagic || kindMagic == kBankChunkMagic)
        return ParseBank(reader, kindMagic, file, error);
    error = "unknown kind of preset file '" + MagicText(kindMagic) + "' (FxCk, FPCh, FxBk or FBCh are known)";
    return false;
}

std::vector<uint8_t> SerializePresetFile(const PresetFile& file, PresetByteSize byteSize)
{
    std::vector<uint8_t> out;
    switch (file.kind) {
    case PresetKind::kProgramParameters: {
        const PresetProgram empty;
        const PresetProgram& program = file.programs.empty() ? empty : file.programs.front();
        AppendProgram(out, kProgramParametersMagic, file, static_cast<int32_t>(program.values.size()), program.name);
        AppendValues(out, program.values);
        break;
    }
    case PresetKind::kProgramChunk:
        AppendProgram(out, kProgramChunkMagic, file, file.parameterCount, file.programName);
        AppendChunk(out, file.chunk);
        break;
    case PresetKind::kBankPrograms:
    case PresetKind::kBankChunk: {
        const bool chunk = file.kind == PresetKind::kBankChunk;
        AppendBigEndian32(out, kFileMagic);
        AppendBigEndian32(out, 0);
        AppendBigEndian32(out, chunk ? kBankChunkMagic : kBankProgramsMagic);
        AppendBigEndian32(out, 2);
        AppendBigEndian32(out, static_cast<uint32_t>(file.pluginId));
        AppendBigEndian32(out, static_cast<uint32_t>(file.pluginVersion));
        AppendBigEndian32(
            out, static_cast<uint32_t>(chunk ? file.programCount : static_cast<int32_t>(file.programs.size())));
        AppendBigEndian32(out, static_cast<uint32_t>(file.currentProgram));
        out.resize(out.size() + kBankFutureBytes, 0);
        if (chunk) {
            AppendChunk(out, file.chunk);
        } else {
            for (const PresetProgram& program : file.programs) {
                const size_t start = out.size();
                AppendProgram(out, kProgramParametersMagic, file, static_cast<int32_t>(program.values.size()),
                              program.name);
                AppendValues(out, program.values);
                SetByteSize(out, start);
            }
        }
        break;
    }
    }
    SetByteSize(out, 0, byteSize);
    return out;
}

bool ReadPresetHeader(std::span<const uint8_t> bytes, PresetHeader& header)
{
    header = PresetHeader{};
    BigEndianReader reader(bytes);
    std::string ignored;
    uint32_t kindMagic = 0;
    if (!ReadFileMagic(reader, "the file", ignored) || !reader.Read32(kindMagic) ||
        !KindOfMagic(kindMagic, header.kind))
        return false;
    if (!IsBank(header.kind)) {
        BigEndianReader fields(bytes.subspan(kFileMagicBytes));
        ProgramHeader program;
        if (!ReadProgramHeader(fields, program, "the file", ignored))
            return false;
        header.formatVersion = program.version;
        header.pluginId = program.pluginId;
        header.pluginVersion = program.pluginVersion;
        header.count = program.parameterCount;
        header.programName = std::move(program.name);
        return true;
    }
    return reader.ReadSigned32(header.formatVersion) && reader.ReadSigned32(header.pluginId) &&
           reader.ReadSigned32(header.pluginVersion) && reader.ReadSigned32(header.count) &&
           reader.ReadSigned32(header.currentProgram) && reader.Skip(kBankFutureBytes);
}

}  // namespace orv::framework
