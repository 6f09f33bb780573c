#include "framework/SerialBuffer.h"

#include <bit>
#include <climits>
#include <cstring>
#include <new>
#include <stdexcept>

namespace orv::framework {

static_assert(std::endian::native == std::endian::little, "chunks are stored in the machine's byte order");

bool SerialBuffer::Append(const void* data, size_t count)
{
    if (count == 0)
        return true;
    try {
        const size_t old = bytes.size();
        bytes.resize(old + count);
        std::memcpy(bytes.data() + old, data, count);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

bool SerialBuffer::PutInt32(int32_t value)
{
    return Append(&value, sizeof value);
}
bool SerialBuffer::PutDouble(double value)
{
    return Append(&value, sizeof value);
}

bool SerialBuffer::PutBool(bool value)
{
    const uint8_t byte = value ? 1 : 0;
    return Append(&byte, 1);
}

bool SerialBuffer::PutString(const char* text)
{
    const size_t length = text != nullptr ? std::strlen(text) : 0;
    if (length > INT32_MAX)
        return false;
    const size_t old = bytes.size();
    if (!PutInt32(static_cast<int32_t>(length)))
        return false;
    if (!Append(text, length)) {
        bytes.resize(old);
        return false;
    }
    return true;
}

bool SerialBuffer::PutBytes(const void* data, size_t count)
{
    return Append(data, count);
}

bool SerialBuffer::Fits(int position, size_t count) const
{
    return position >= 0 && static_cast<size_t>(position) <= bytes.size() &&
           count <= bytes.size() - static_cast<size_t>(position);
}

int SerialBuffer::GetBytes(int position, void* data, size_t count) const
{
    if (!Fits(position, count) || static_cast<uint64_t>(position) + count > INT_MAX)
        return -1;
    if (count > 0)
        std::memcpy(data, bytes.data() + position, count);
    return position + static_cast<int>(count);
}

int SerialBuffer::GetInt32(int position, int32_t& value) const
{
    return GetBytes(position, &value, sizeof value);
}
int SerialBuffer::GetDouble(int position, double& value) const
{
    return GetBytes(position, &value, sizeof value);
}

int SerialBuffer::GetBool(int position, bool& value) const
{
    uint8_t byte = 0;
    const int next = GetBytes(position, &byte, 1);
    if (next >= 0)
        value = byte != 0;
    return next;
}

int SerialBuffer::GetString(int position, std::string& text) const
{
    int32_t length = 0;
    const int start = GetInt32(position, length);
    if (start < 0)
        return -1;
    // A negative length would move the reader backwards; a length past the
    // largest position cannot be represented. Both mean the data is corrupt.
    if (length < 0 || static_cast<int64_t>(start) + length > INT_MAX)
        return -1;
    const int next = start + length;
    if (Fits(start, static_cast<size_t>(length))) {
        const char* first = reinterpret_cast<const char*>(bytes.data() + start);
        text.assign(first, strnlen(first, static_cast<size_t>(length)));
    }
    return next;
}

bool SerialBuffer::Resize(size_t size)
{
    try {
        bytes.resize(size, 0);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

bool SerialBuffer::CopyFrom(const SerialBuffer& other)
{
    if (&other == this)
        return true;
    try {
        bytes = other.bytes;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace orv::framework
