// Bytes read as the arguments of a scripted host's actions; past the end
// every read gives zero, so any input is a whole script.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

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

// A script of random bytes, the same for the same seed on every run.
inline std::vector<uint8_t> SeededScript(unsigned seed, size_t size)
{
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& b : bytes)
        b = static_cast<uint8_t>(random());
    return bytes;
}

}  // namespace hosttest
