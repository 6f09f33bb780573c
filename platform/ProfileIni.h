// Per-user settings files in the INI format, read and written key by key with
// the semantics of the Windows private-profile functions (which Windows uses
// directly): section and key names compare without regard to case, values are
// trimmed text, an existing key is rewritten in place, a missing one is added
// at the end of its section, a missing section at the end of the file.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// The value of section/key, or fallback when the key is absent; at most
// capacity - 1 characters, like a caller's buffer of capacity bytes.
std::string ReadProfileString(const std::string& path, const char* section, const char* key, const char* fallback,
                              size_t capacity);

// Sets section/key to value, creating the file, section or key as needed.
bool WriteProfileString(const std::string& path, const char* section, const char* key, const char* value);

// Removes every key of section (the section itself may stay, empty).
bool ClearProfileSection(const std::string& path, const char* section);

}  // namespace platform
