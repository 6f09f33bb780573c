// One program as bytes: the tag "ORV_2.0.0", the program's index and name
// (for information only), then the twelve parameter values as doubles.
// Older states ("ORV_1.2.1", or untagged) hold only the first seven values.
#include "instrument/ORV.h"

#include <algorithm>
#include <cstring>

namespace orv::instrument {

namespace {

constexpr char kCurrentTag[] = "ORV_2.0.0";
constexpr char kOlderTag[] = "ORV_1.2.1";
constexpr size_t kTagLength = 9;
constexpr int kOlderValueCount = 7;

}  // namespace

bool ORV::WriteProgramState(framework::SerialBuffer& buffer)
{
    buffer.PutBytes(kCurrentTag, kTagLength);
    buffer.PutInt32(CurrentProgram());
    buffer.PutString(GetProgramName(CurrentProgram()));
    for (int i = 0; i < ParameterCount(); ++i)
        buffer.PutDouble(GetParameter(i).value);
    return buffer.Size() > 0;
}

int ORV::ReadProgramState(const framework::SerialBuffer& buffer, int position)
{
    char tag[kTagLength] = {};
    if (position >= 0 && static_cast<size_t>(position) < buffer.Size())
        std::memcpy(tag, buffer.Data() + position, std::min(kTagLength, buffer.Size() - static_cast<size_t>(position)));
    const bool current = std::memcmp(tag, kCurrentTag, kTagLength) == 0;
    const bool older = std::memcmp(tag, kOlderTag, kTagLength) == 0;

    if (current || older) {
        int32_t index = 0;
        int32_t nameLength = 0;
        position = buffer.GetInt32(position + static_cast<int>(kTagLength), index);
        position = buffer.GetInt32(position, nameLength);
        // The name is skipped; a length that leaves the state is corruption.
        if (position >= 0 && (nameLength < 0 || static_cast<size_t>(nameLength) > buffer.Size() - position))
            position = -1;
        else if (position >= 0)
            position += nameLength;
    }

    const int count = current ? ParameterCount() : kOlderValueCount;
    for (int i = 0; i < count && position >= 0; ++i) {
        double value = 0.0;
        position = buffer.GetDouble(position, value);
        if (position < 0)
            value = 0.0;
        framework::Parameter& parameter = GetParameter(i);
        parameter.value = parameter.Clamp(value);
    }
    if (count == kOlderValueCount)
        for (int i = kOlderValueCount; i < ParameterCount() && position >= 0; ++i) {
            framework::Parameter& parameter = GetParameter(i);
            parameter.value = parameter.Clamp(parameter.defaultValue);
        }

    for (int i = 0; i < ParameterCount(); ++i)
        ParameterChanged(i);
    return position;
}

}  // namespace orv::instrument
