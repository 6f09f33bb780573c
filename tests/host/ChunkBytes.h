// Program states and chunks built byte by byte, the way other versions of the
// instrument and other tools wrote them.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace chunkbytes {

using Bytes = std::vector<uint8_t>;

// Little-endian fields, as the chunks store them.
class Writer {
public:
    Writer& Int32(int32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> shift));
        return *this;
    }
    Writer& Double(double value)
    {
        uint64_t bits = 0;
        std::memcpy(&bits, &value, 8);
        for (int shift = 0; shift < 64; shift += 8)
            bytes.push_back(static_cast<uint8_t>(bits >> shift));
        return *this;
    }
    Writer& Byte(uint8_t value)
    {
        bytes.push_back(value);
        return *this;
    }
    Writer& Raw(const std::string& text)
    {
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    Writer& Raw(const Bytes& more)
    {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return *this;
    }
    // Length, then the bytes without terminator.
    Writer& String(const std::string& text) { return Int32(static_cast<int32_t>(text.size())).Raw(text); }

    Bytes bytes;
};

// "tffp" and the framework version.
inline Bytes Header()
{
    return Writer().Raw("tffp").Int32(0x00010000).bytes;
}

// A state as the current version writes it: tag, index, name, twelve values.
inline Bytes CurrentState(const std::vector<double>& values, int32_t index = 0, const std::string& name = "")
{
    Writer state;
    state.Raw("ORV_2.0.0").Int32(index).String(name);
    for (double value : values)
        state.Double(value);
    return state.bytes;
}

// A state of version 1.2.1: the same layout with seven values.
inline Bytes OlderState(const std::vector<double>& values, int32_t index = 0, const std::string& name = "")
{
    Writer state;
    state.Raw("ORV_1.2.1").Int32(index).String(name);
    for (double value : values)
        state.Double(value);
    return state.bytes;
}

// The oldest states: seven values and nothing else.
inline Bytes UntaggedState(const std::vector<double>& values)
{
    Writer state;
    for (double value : values)
        state.Double(value);
    return state.bytes;
}

// The defaults of the twelve parameters.
inline std::vector<double> DefaultValues()
{
    return {0.5, 0.0, 0.0, 0.0, 0.0, 0.2, 0.3, 0.0, 0.0, 0.0, 0.0, 0.3};
}

}  // namespace chunkbytes
