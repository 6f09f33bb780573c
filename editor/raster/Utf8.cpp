#include "editor/raster/Utf8.h"

namespace orv::editor {

namespace {

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xc0) == 0x80;
}

}  // namespace

char32_t NextCodePoint(std::string_view text, size_t& position)
{
    const auto lead = static_cast<unsigned char>(text[position]);
    ++position;
    if (lead < 0x80)
        return lead;
    int length = 0;
    char32_t value = 0;
    char32_t smallest = 0;  // below this the form is overlong
    if ((lead & 0xe0) == 0xc0) {
        length = 2;
        value = lead & 0x1f;
        smallest = 0x80;
    } else if ((lead & 0xf0) == 0xe0) {
        length = 3;
        value = lead & 0x0f;
        smallest = 0x800;
    } else if ((lead & 0xf8) == 0xf0) {
        length = 4;
        value = lead & 0x07;
        smallest = 0x10000;
    } else {
        return kReplacementCharacter;
    }
    const size_t start = position;
    if (text.size() - start < static_cast<size_t>(length - 1))
        return kReplacementCharacter;
    for (int i = 0; i < length - 1; ++i) {
        const auto byte = static_cast<unsigned char>(text[start + i]);
        if (!IsContinuation(byte))
            return kReplacementCharacter;
        value = (value << 6) | (byte & 0x3f);
    }
    if (value < smallest || value > 0x10ffff || (value >= 0xd800 && value <= 0xdfff))
        return kReplacementCharacter;
    position = start + length - 1;
    return value;
}

int ToUtf16(char32_t codePoint, char16_t units[2])
{
    if (codePoint < 0x10000) {
        units[0] = static_cast<char16_t>(codePoint);
        return 1;
    }
    units[0] = static_cast<char16_t>(0xd800 + ((codePoint - 0x10000) >> 10));
    units[1] = static_cast<char16_t>(0xdc00 + ((codePoint - 0x10000) & 0x3ff));
    return 2;
}

}  // namespace orv::editor
