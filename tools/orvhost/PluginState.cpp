#include "tools/orvhost/PluginState.h"

#include "platform/AtomicFile.h"
#include "platform/FileContents.h"
#include "tools/orvhost/VstNames.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>

namespace orv::host {

namespace {

// Preset files hold a plug-in's state and a small header; a file this large
// is something else.
constexpr size_t kMaxPresetFileBytes = 512u << 20;

std::string IdText(int32_t id)
{
    const std::string code = FourCharacterText(id);
    return code.empty() ? std::to_string(id) : "'" + code + "' (" + std::to_string(id) + ")";
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& ending)
{
    if (text.size() < ending.size())
        return false;
    return std::equal(
        ending.begin(), ending.end(), text.end() - static_cast<std::ptrdiff_t>(ending.size()), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        });
}

// Normalised values outside 0..1 (rounding in other hosts) are pulled in;
// the protocol allows no others.
float Clamped(float value)
{
    return std::clamp(value, 0.0f, 1.0f);
}

void SetValues(HostSession& session, const framework::PresetProgram& program)
{
    for (size_t i = 0; i < program.values.size(); ++i)
        session.SetParameter(static_cast<int32_t>(i), Clamped(program.values[i]));
    if (!program.name.empty())
        session.RenameCurrentProgram(program.name);
}

bool ReadValues(HostSession& session, framework::PresetProgram& program, std::string& error)
{
    program.name = session.CurrentProgramName();
    program.values.resize(static_cast<size_t>(session.ParameterCount()));
    for (int32_t i = 0; i < session.ParameterCount(); ++i) {
        const float value = session.GetParameter(i);
        if (!std::isfinite(value)) {
            error = "the plug-in reports parameter " + std::to_string(i) + " as a value that is not a number";
            return false;
        }
        program.values[static_cast<size_t>(i)] = value;
    }
    return true;
}

// Whether the file's counts fit the plug-in, before anything is applied.
bool Suits(HostSession& session, const framework::PresetFile& file, std::string& error)
{
    const framework::vst::AEffect& effect = *session.Effect();
    if (file.pluginId != effect.uniqueID) {
        error = "it is for the plug-in with id " + IdText(file.pluginId) + ", not for this one with id " +
                IdText(effect.uniqueID);
        return false;
    }
    if (framework::IsChunk(file.kind) && !session.HasChunks()) {
        error = "it holds a plug-in's own state (a chunk), but this plug-in does not take chunks";
        return false;
    }
    const bool hasValues = file.kind == framework::PresetKind::kProgramParameters || !file.programs.empty();
    if (!framework::IsChunk(file.kind) && hasValues && file.parameterCount != session.ParameterCount()) {
        error = "it holds " + std::to_string(file.parameterCount) + " parameter values, the plug-in has " +
                std::to_string(session.ParameterCount()) + " parameters";
        return false;
    }
    if (file.kind == framework::PresetKind::kBankPrograms &&
        file.programs.size() > static_cast<size_t>(session.ProgramCount())) {
        error = "it holds " + std::to_string(file.programs.size()) + " programs, the plug-in has " +
                std::to_string(session.ProgramCount());
        return false;
    }
    return true;
}

}  // namespace

bool StateScopeOfFileName(const std::string& path, StateScope& scope)
{
    if (EndsWithIgnoringCase(path, ".fxp")) {
        scope = StateScope::kProgram;
        return true;
    }
    if (EndsWithIgnoringCase(path, ".fxb")) {
        scope = StateScope::kBank;
        return true;
    }
    return false;
}

bool ReadPresetFile(const std::string& path, framework::PresetFile& file, std::string& error)
{
    std::vector<uint8_t> bytes;
    std::string reason;
    if (platform::ReadWholeFile(path, kMaxPresetFileBytes, platform::FileSource::kAnyFile, bytes, reason) !=
        platform::FileReadResult::Read) {
        error = "cannot read " + path + ": " + reason;
        return false;
    }
    if (!framework::ParsePresetFile(bytes, file, reason)) {
        error = "cannot load " + path + ": " + reason;
        return false;
    }
    return true;
}

bool ApplyPresetFile(HostSession& session, const framework::PresetFile& file, std::string& error)
{
    if (!Suits(session, file, error))
        return false;
    const int32_t programBefore = session.CurrentProgram();
    switch (file.kind) {
    case framework::PresetKind::kProgramChunk:
    case framework::PresetKind::kBankChunk:
        if (!session.SetChunk(framework::IsBank(file.kind), file.chunk)) {
            error = "the plug-in refused the state it holds (effSetChunk returned 0)";
            return false;
        }
        break;
    case framework::PresetKind::kProgramParameters:
        SetValues(session, file.programs.front());
        break;
    case framework::PresetKind::kBankPrograms:
        for (size_t i = 0; i < file.programs.size(); ++i) {
            session.SelectProgram(static_cast<int32_t>(i));
            SetValues(session, file.programs[i]);
        }
        break;
    }
    // A bank remembers which program was current (from version 2 on).
    if (framework::IsBank(file.kind) && session.ProgramCount() > 0) {
        int32_t current = programBefore;
        if (file.formatVersion >= 2 && file.currentProgram >= 0 && file.currentProgram < session.ProgramCount())
            current = file.currentProgram;
        if (file.kind == framework::PresetKind::kBankPrograms || current != session.CurrentProgram())
            session.SelectProgram(current);
    }
    return true;
}

bool SavePresetFile(HostSession& session, StateScope scope, const std::string& path, std::string& error)
{
    const framework::vst::AEffect& effect = *session.Effect();
    framework::PresetFile file;
    file.pluginId = effect.uniqueID;
    file.pluginVersion = effect.version;
    file.parameterCount = session.ParameterCount();
    file.programCount = session.ProgramCount();
    file.currentProgram = session.CurrentProgram();
    const bool bank = scope == StateScope::kBank;
    if (session.HasChunks()) {
        file.kind = bank ? framework::PresetKind::kBankChunk : framework::PresetKind::kProgramChunk;
        file.programName = session.CurrentProgramName();
        if (!session.GetChunk(bank, file.chunk)) {
            error = "cannot save " + path + ": " + session.Error();
            return false;
        }
    } else if (!bank) {
        file.kind = framework::PresetKind::kProgramParameters;
        file.programs.resize(1);
        if (!ReadValues(session, file.programs.front(), error)) {
            error = "cannot save " + path + ": " + error;
            return false;
        }
    } else {
        file.kind = framework::PresetKind::kBankPrograms;
        file.programs.resize(static_cast<size_t>(file.programCount));
        const int32_t current = file.currentProgram;
        for (int32_t i = 0; i < file.programCount; ++i) {
            session.SelectProgram(i);
            if (!ReadValues(session, file.programs[static_cast<size_t>(i)], error)) {
                session.SelectProgram(current);
                error = "cannot save " + path + ": " + error;
                return false;
            }
        }
        session.SelectProgram(current);
    }
    const std::vector<uint8_t> bytes = framework::SerializePresetFile(file);
    std::string reason;
    if (!platform::WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                                  reason)) {
        error = "cannot write " + path + ": " + reason;
        return false;
    }
    return true;
}

}  // namespace orv::host
