// Per-user settings files in the INI format, read and written key by key with
// the semantics of the Windows private-profile functions (which Windows uses
// directly): section and key names compare without regard to case, values are
// trimmed text, an existing key is rewritten in place, a missing one is added
// at the end of its section, a missing section at the end of the file.
// The first of duplicate sections, and the first of duplicate keys in it,
// are the ones read and written; keys before any section belong to "".
// Other systems keep the rest of the file byte for byte and replace it in one
// step, so that a failed write never damages it. ProfileSnapshot.h reads a
// whole file once for many keys.
#pragma once

#include <cstddef>
#include <string>

namespace orv::platform {

// The value of section/key, or fallback when the key or the file is absent;
// at most capacity - 1 characters, like a caller's buffer of capacity bytes
// (capacities above 65536 count as 65536).
// A value in quotes ("..." or '...') comes without them; the fallback loses
// trailing blanks. Empty when section or key is null or longer than 32766
// characters (beyond what Windows can look up).
std::string ReadProfileString(const std::string& path, const char* section, const char* key, const char* fallback,
                              size_t capacity);

// Sets section/key to value, creating the file, section or key as needed
// (not the folder). Refuses (false) names or values that could not read back
// as written: line breaks anywhere, a key that is empty, holds '=' or starts
// with '[', any text longer than 32766 characters.
bool WriteProfileString(const std::string& path, const char* section, const char* key, const char* value);

// Removes every key of section, of each duplicate too (the header stays);
// section "" holds the keys before the first section. A missing file or
// section is no error; no file is created for it.
bool ClearProfileSection(const std::string& path, const char* section);

}  // namespace orv::platform
