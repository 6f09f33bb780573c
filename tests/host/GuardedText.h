// A text buffer far larger than any the protocol allows, filled with a
// sentinel, so a test can tell exactly which bytes the plug-in wrote.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>

namespace hosttest {

class GuardedText {
public:
    static constexpr unsigned char kSentinel = 0xA5;

    GuardedText() { bytes.fill(static_cast<char>(kSentinel)); }

    char* data() { return bytes.data(); }
    const char* c_str() const { return bytes.data(); }

    // One past the last byte the plug-in changed; 0 when it wrote nothing.
    size_t WrittenExtent() const
    {
        for (size_t i = bytes.size(); i > 0; --i)
            if (static_cast<unsigned char>(bytes[i - 1]) != kSentinel)
                return i;
        return 0;
    }

    bool Untouched() const { return WrittenExtent() == 0; }

    // A zero-terminated text that stays within capacity bytes.
    bool IsTextWithin(size_t capacity) const
    {
        return WrittenExtent() <= capacity && std::memchr(bytes.data(), '\0', capacity) != nullptr;
    }

private:
    std::array<char, 1024> bytes;
};

}  // namespace hosttest
