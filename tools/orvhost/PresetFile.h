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
// a plug-in, and handing it over, is the host's business (PluginState).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvhost {

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
    std::string name;             // at most 27 bytes are stored
    std::vector<float> values;    // normalised, 0..1
};

struct PresetFile {
    PresetKind kind = PresetKind::kProgramChunk;
    int32_t formatVersion = 1;    // read from the file; written as 1 (FXP) or 2 (FXB)
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

// The file's bytes. The byte size fields count what follows them, as the
// format's other writers do; FXP files are written as version 1, FXB files as
// version 2 (with the current program).
std::vector<uint8_t> SerializePresetFile(const PresetFile& file);

// Limits of the name field: 28 bytes with a terminating zero.
inline constexpr size_t kPresetNameBytes = 28;

}  // namespace orvhost
