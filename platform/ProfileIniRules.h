// What both settings-file implementations accept, so that Windows and the
// other systems refuse the same requests. Internal to the ProfileIni service.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace orv::platform {

// Larger files are not settings files: our own reader takes them for absent
// and never rewrites them, so that nothing in them is lost.
constexpr size_t kLargestProfileFile = 16u << 20;

// The largest capacity a read honours (a buffer this large is allocated on Windows).
constexpr size_t kProfileCapacityLimit = 65536;

// Windows passes names and values on as counted UTF-16 strings of at most
// 32766 characters; a longer one arrives as null, which asks for something
// else entirely (a list of names, a deletion). Longer texts are refused.
constexpr size_t kLongestProfileText = 32766;

inline bool FitsProfile(const char* text)
{
    return text != nullptr && std::strlen(text) <= kLongestProfileText;
}

// A line break inside a written name or value would start new lines in the
// file: a value could then plant keys or whole sections of its own.
inline bool HasLineBreak(const char* text)
{
    return std::strpbrk(text, "\r\n") != nullptr;
}

inline bool IsProfileSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

inline bool IsWritableProfileSection(const char* section)
{
    return FitsProfile(section) && !HasLineBreak(section);
}

// A key must read back as itself: not empty, no '=' (the first one ends the
// key), not starting with '[' (the line could read as a section header) nor
// with a byte-order mark (at the start of a file it would be taken for one).
inline bool IsWritableProfileKey(const char* key)
{
    if (!FitsProfile(key) || HasLineBreak(key) || std::strchr(key, '=') != nullptr)
        return false;
    while (IsProfileSpace(*key))
        ++key;
    for (const char* mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"})
        if (std::strncmp(key, mark, std::strlen(mark)) == 0)
            return false;
    return *key != '\0' && *key != '[';
}

inline bool IsWritableProfileEntry(const char* section, const char* key, const char* value)
{
    return IsWritableProfileSection(section) && IsWritableProfileKey(key) && FitsProfile(value) && !HasLineBreak(value);
}

// Whether the file at path, whose whole text is text, reads with IniText's
// rules exactly as ReadProfileString reads it on this system; a snapshot of
// any other file is answered key by key. (One implementation per system.)
bool ReadsLikeIniText(const std::string& path, std::string_view text);

}  // namespace orv::platform
