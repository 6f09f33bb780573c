// Program slots and the bank body: recalling, storing, filling and the
// framework's default program state (the parameter values).
#include "framework/PluginBase.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace orv::framework {

const char* PluginBase::GetProgramName(int index) const
{
    if (!IsValidProgram(index))
        return "";
    return programs[static_cast<size_t>(index)]->name.c_str();
}

void PluginBase::ModifyCurrentPreset(const char* name)
{
    if (!IsValidProgram(currentProgram))
        return;
    ProgramSlot& slot = GetProgramSlot(currentProgram);
    slot.state.Clear();
    WriteProgramState(slot.state);
    if (name != nullptr && name[0] != '\0')
        slot.SetName(name);
}

bool PluginBase::RecallProgram(int index)
{
    if (!IsValidProgram(index))
        return false;
    ProgramSlot& slot = GetProgramSlot(index);
    bool success = false;
    if (slot.initialised) {
        success = ReadProgramState(slot.state, 0) > 0;
    } else {
        slot.initialised = true;
        int userPresets = 0;
        for (const auto& other : programs)
            if (other->name.find("user preset") != std::string::npos)
                ++userPresets;
        char name[64];
        std::snprintf(name, sizeof name, "%s %d", "user preset", userPresets + 1);
        slot.SetName(name);
        // The slot may still hold bytes from before it was marked empty.
        slot.state.Clear();
        success = WriteProgramState(slot.state);
    }
    if (success) {
        currentProgram = index;
        ProgramsChanged();
        RefreshParameterControls();
    }
    return success;
}

void PluginBase::FillEmptyPrograms(int count)
{
    for (int n = 0; n < count; ++n) {
        auto empty =
            std::find_if(programs.begin(), programs.end(), [](const auto& slot) { return !slot->initialised; });
        if (empty == programs.end())
            return;
        ProgramSlot& slot = **empty;
        slot.initialised = true;
        slot.SetName("Empty");
        slot.state.Clear();
        WriteProgramState(slot.state);
    }
}

bool PluginBase::SerializePresets(SerialBuffer& buffer)
{
    bool ok = true;
    for (size_t i = 0; i < programs.size() && ok; ++i) {
        ProgramSlot& slot = *programs[i];
        ok = buffer.PutString(slot.name.c_str()) && buffer.PutBool(slot.initialised);
        if (ok && slot.initialised)
            ok = buffer.PutBytes(slot.state.Data(), slot.state.Size()) && buffer.Size() > 0;
    }
    return ok;
}

int PluginBase::UnserializePresets(const SerialBuffer& buffer, int position)
{
    std::string name;  // a slot whose name cannot be read takes the one before
    for (size_t i = 0; i < programs.size() && position >= 0; ++i) {
        ProgramSlot& slot = *programs[i];
        position = buffer.GetString(position, name);
        slot.SetName(name.c_str());
        bool initialised = slot.initialised;
        position = buffer.GetBool(position, initialised);
        if (position < 0)
            break;
        slot.initialised = initialised;
        if (slot.initialised) {
            position = ReadProgramState(buffer, position);
            if (position > 0) {
                slot.state.Clear();
                WriteProgramState(slot.state);
            }
        }
    }
    RecallProgram(currentProgram);
    return position;
}

bool PluginBase::SerializeParams(SerialBuffer& buffer)
{
    LockGuard guard(lock);
    for (const auto& parameter : parameters) {
        buffer.PutDouble(parameter->value);
        if (buffer.Size() == 0)
            break;
    }
    return buffer.Size() > 0;
}

int PluginBase::UnserializeParams(const SerialBuffer& buffer, int position)
{
    LockGuard guard(lock);
    for (auto& parameter : parameters) {
        if (position < 0)
            break;
        double v = 0.0;
        position = buffer.GetDouble(position, v);
        if (position < 0)
            v = 0.0;
        parameter->value = parameter->Clamp(v);
    }
    for (int i = 0; i < ParameterCount(); ++i)
        ParameterChanged(i);
    return position;
}

void PluginBase::WriteFrameworkHeader(SerialBuffer& buffer)
{
    buffer.Clear();
    buffer.PutInt32(kChunkMagic);
    buffer.PutInt32(kFrameworkVersion);
}

int32_t PluginBase::ReadFrameworkHeader(const SerialBuffer& buffer, int& position)
{
    int32_t magic = 0;
    if (buffer.GetInt32(position, magic) < 0 || magic != kChunkMagic)
        return 0;
    int32_t frameworkVersion = 0;
    position = buffer.GetInt32(position + 4, frameworkVersion);
    return position < 0 ? 0 : frameworkVersion;
}

}  // namespace orv::framework
