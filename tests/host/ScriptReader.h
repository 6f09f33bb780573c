// Bytes read as the arguments of a scripted host's actions; past the end
// every read gives zero, so any input is a whole script.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace hosttest {

struct ScriptReader {
    const uint8_t* data;
    size_t size;
    size_t at = 0;

    bool Done() const { return at >= size; }
    uint8_t Byte() { return at < size ? data[at++] : 0; }
    uint16_t Word() { return static_cast<uint16_t>(Byte() | (Byte() << 8)); }
    float Float()
    {
        const uint32_t bits = Byte() | (Byte() << 8) | (Byte() << 16) | (static_cast<uint32_t>(Byte()) << 24);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    template <typename T, size_t N>
    T Pick(const T (&table)[N])
    {
        return table[Byte() % N];
    }
};

}  // namespace hosttest
