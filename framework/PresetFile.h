// VST 2 preset files as hosts exchange them: FXP (one program) and FXB (a
// bank of programs), each either as the plug-in's opaque state ("chunk") or as
// a list of normalised parameter values. All header fields are big-endian:
//
//   offset  FXP                          FXB
//   0       "CcnK"                       "CcnK"
//   4       byte size of the rest        byte size of the rest
//   8       "FxCk" / "FPCh"              "FxBk" / "FBCh"
//   12      format version (1)           format version (1 or 2)
//   16      plug-in unique id            plug-in unique id
//   20      plug-in version              plug-in version
//   24      number of parameters         number of programs
//   28      program name, 28 bytes       version 2: current program, then
//                                        zeros up to offset 156
//   56      FxCk: one float per param.   -
//           FPCh: chunk size, chunk
//   156     -                            FxBk: one FxCk record per program
//                                        FBCh: chunk size, chunk
//
// This file only turns bytes into a PresetFile and back; whether a file suits
// a plug-in, and handing it over, is the business of whoever loads it (the
// plug-in's own program and bank files, orvhost's PluginState).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orv::framework {

enum class PresetKind {
    kProgramParameters,  // "FxCk"
    kProgramChunk,       // "FPCh"
    kBankPrograms,       // "FxBk"
    kBankChunk,          // "FBCh"
};

bool IsBank(PresetKind kind);
bool IsChunk(PresetKind kind);
// "FxCk", "FPCh", ...
const char* PresetKindMagic(PresetKind kind);

// One program of a parameter-list bank, or the program of an FxCk file.
struct PresetProgram {
    std::string name;           // at most 27 bytes are stored
    std::vector<float> values;  // normalised, 0..1
};

struct PresetFile {
    PresetKind kind = PresetKind::kProgramChunk;
    int32_t formatVersion = 1;  // read from the file; written as 1 (FXP) or 2 (FXB)
    int32_t pluginId = 0;
    int32_t pluginVersion = 0;
    // FXP: the plug-in's parameter count (FPCh only records it).
    int32_t parameterCount = 0;
    // FXB: the number of programs (FBCh only records it) and, from format
    // version 2 on, the program that was current.
    int32_t programCount = 0;
    int32_t currentProgram = 0;
    // FxCk: the one program; FxBk: every program, in order.
    std::vector<PresetProgram> programs;
    // FPCh / FBCh: the plug-in's own bytes, passed through untouched.
    std::vector<uint8_t> chunk;
    // FPCh: the program name from the header (FxCk keeps it in programs[0]).
    std::string programName;
};

// Reads a whole file's bytes. Every length and count is checked against the
// data; on failure returns false with a one-line reason in error.
bool ParsePresetFile(std::span<const uint8_t> bytes, PresetFile& file, std::string& error);

// What the byte size after "CcnK" counts. The format's other writers count
// the bytes after the field; the plug-in's own files have always counted the
// whole file, and files already saved that way must keep coming out the same.
// Readers go by the real size either way.
enum class PresetByteSize {
    kAfterField,
    kWholeFile,
};

// The file's bytes. FXP files are written as version 1, FXB files as
// version 2 (with the current program).
std::vector<uint8_t> SerializePresetFile(const PresetFile& file, PresetByteSize byteSize = PresetByteSize::kAfterField);

// Limits of the name field: 28 bytes with a terminating zero.
inline constexpr size_t kPresetNameBytes = 28;

// Where the fixed headers end: an FXP's values or chunk size follow at 56,
// an FXB's program records or chunk size at 156; chunks start 4 bytes later.
inline constexpr size_t kProgramHeaderBytes = 56;
inline constexpr size_t kBankHeaderBytes = 156;
inline constexpr size_t kChunkSizeBytes = 4;

// The fixed header alone, for a reader with its own tolerance of what
// follows (the plug-in's own loader takes short parameter lists and
// ignores a chunk's size field, as it always has).
struct PresetHeader {
    PresetKind kind = PresetKind::kProgramChunk;
    int32_t formatVersion = 0;
    int32_t pluginId = 0;
    int32_t pluginVersion = 0;
    int32_t count = 0;           // parameters (FXP) or programs (FXB)
    std::string programName;     // FXP
    int32_t currentProgram = 0;  // FXB: the field as stored, whatever the version
};

// False unless the bytes start with "CcnK", a known kind and the whole fixed
// header of that kind. Nothing else is checked.
bool ReadPresetHeader(std::span<const uint8_t> bytes, PresetHeader& header);

}  // namespace orv::framework
