// Decoding UTF-8 text one code point at a time, safe on any bytes, and
// encoding code points as UTF-16 for the system's text functions.
#pragma once

#include <cstddef>
#include <string_view>

namespace orv::editor {

constexpr char32_t kReplacementCharacter = 0xfffd;

// The code point starting at text[position], and `position` moved past it.
// Malformed sequences (stray continuation bytes, overlong forms, surrogates,
// values above U+10FFFF, sequences cut short by the end of the text) give
// U+FFFD and consume one byte; nothing past the end of `text` is read.
// Call only with position < text.size().
char32_t NextCodePoint(std::string_view text, size_t& position);

// The UTF-16 units of a code point (a surrogate pair above U+FFFF); returns
// how many were written.
int ToUtf16(char32_t codePoint, char16_t units[2]);

}  // namespace orv::editor
