// A cursor over bytes that reads the big-endian fields of VST preset files
// and Standard MIDI Files. Every read checks that the bytes are there: a
// field that would run past the end fails and leaves the cursor where it was,
// so lengths and counts taken from a file can never lead outside it.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orv::framework {

class BigEndianReader {
public:
    explicit BigEndianReader(std::span<const uint8_t> bytes) : bytes(bytes) {}

    size_t Position() const { return position; }
    size_t Remaining() const { return bytes.size() - position; }
    bool AtEnd() const { return position == bytes.size(); }

    bool Read8(uint8_t& value)
    {
        if (Remaining() < 1)
            return false;
        value = bytes[position++];
        return true;
    }

    bool Read16(uint16_t& value)
    {
        if (Remaining() < 2)
            return false;
        value = static_cast<uint16_t>(bytes[position] << 8 | bytes[position + 1]);
        position += 2;
        return true;
    }

    bool Read32(uint32_t& value)
    {
        if (Remaining() < 4)
            return false;
        value = static_cast<uint32_t>(bytes[position]) << 24 | static_cast<uint32_t>(bytes[position + 1]) << 16 |
                static_cast<uint32_t>(bytes[position + 2]) << 8 | static_cast<uint32_t>(bytes[position + 3]);
        position += 4;
        return true;
    }

    bool ReadSigned32(int32_t& value)
    {
        uint32_t raw = 0;
        if (!Read32(raw))
            return false;
        value = static_cast<int32_t>(raw);
        return true;
    }

    // An IEEE 754 single, as preset files store parameter values.
    bool ReadFloat(float& value)
    {
        uint32_t bits = 0;
        if (!Read32(bits))
            return false;
        value = std::bit_cast<float>(bits);
        return true;
    }

    // The next count bytes, without copying; they stay valid as long as the
    // underlying data does.
    bool ReadBytes(size_t count, std::span<const uint8_t>& out)
    {
        if (Remaining() < count)
            return false;
        out = bytes.subspan(position, count);
        position += count;
        return true;
    }

    bool Skip(size_t count)
    {
        if (Remaining() < count)
            return false;
        position += count;
        return true;
    }

private:
    std::span<const uint8_t> bytes;
    size_t position = 0;
};

inline void AppendBigEndian32(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value >> 24));
    out.push_back(static_cast<uint8_t>(value >> 16));
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

}  // namespace orv::framework
