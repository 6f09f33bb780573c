// A growable run of bytes in which program states and chunks are built.
// Values are stored little-endian with no alignment or padding. Writers
// append; readers take an explicit position and return the position after
// what they read, or -1 when the data does not fit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orv::framework {

class SerialBuffer {
public:
    bool PutInt32(int32_t value);
    bool PutDouble(double value);
    bool PutBool(bool value);
    bool PutString(const char* text);  // int32 length, then the bytes, no terminator
    bool PutBytes(const void* data, size_t count);

    int GetInt32(int position, int32_t& value) const;
    int GetDouble(int position, double& value) const;
    int GetBool(int position, bool& value) const;
    // On success the text is cut at an embedded zero. When the declared length
    // runs past the end the text is left unchanged and the returned position
    // lies beyond the end, so the next read fails.
    int GetString(int position, std::string& text) const;
    int GetBytes(int position, void* data, size_t count) const;

    // Sets the size; new bytes are zero. A failed growth changes nothing.
    bool Resize(size_t size);
    void Clear() { bytes.clear(); }
    bool CopyFrom(const SerialBuffer& other);

    size_t Size() const { return bytes.size(); }
    const uint8_t* Data() const { return bytes.data(); }
    uint8_t* Data() { return bytes.data(); }

private:
    bool Append(const void* data, size_t count);
    bool Fits(int position, size_t count) const;

    std::vector<uint8_t> bytes;
};

}  // namespace orv::framework
