#include "instrument/ProgramNameText.h"

#include "editor/raster/Utf8.h"

namespace orv::instrument {

namespace {

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xc0) == 0x80;
}

size_t SequenceLength(unsigned char lead)
{
    if ((lead & 0xe0) == 0xc0)
        return 2;
    if ((lead & 0xf0) == 0xe0)
        return 3;
    if ((lead & 0xf8) == 0xf0)
        return 4;
    return 1;
}

// An earlier cut at a byte limit may have split the last character; that
// part is dropped rather than shown as a wrong character.
std::string_view WithoutCutCharacter(std::string_view text)
{
    size_t lead = text.size();
    for (int back = 0; back < 3 && lead > 0 && IsContinuation(static_cast<unsigned char>(text[lead - 1])); ++back)
        --lead;
    if (lead == 0)
        return text;
    --lead;
    const size_t length = SequenceLength(static_cast<unsigned char>(text[lead]));
    return length > 1 && text.size() - lead < length ? text.substr(0, lead) : text;
}

}  // namespace

std::string CleanProgramName(std::string_view text, size_t maxBytes)
{
    text = WithoutCutCharacter(text);
    std::string name;
    size_t position = 0;
    while (position < text.size()) {
        const size_t start = position;
        const char32_t codePoint = editor::NextCodePoint(text, position);
        const bool valid = !(codePoint == editor::kReplacementCharacter && position - start == 1) &&
                           codePoint >= 0x20 && codePoint != 0x7f;
        const std::string_view piece = valid ? text.substr(start, position - start) : std::string_view("?");
        if (name.size() + piece.size() > maxBytes)
            break;
        name.append(piece);
    }
    return name;
}

}  // namespace orv::instrument
