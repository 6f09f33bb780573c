// The Windows private-profile functions themselves, behind the checks both
// implementations share (ProfileIniRules.h).
#include "platform/ProfileIni.h"

#include "platform/ProfileIniRules.h"

#include <algorithm>
#include <cstring>
#include <windows.h>

// windows.h maps this name onto WriteProfileStringA (the win.ini function).
#undef WriteProfileString

namespace orv::platform {

// Windows looks for a file named without a full path in its own folder, reads
// a file through the ANSI code page (as UTF-16 or UTF-8 after a byte-order
// mark) and has its own ways with control characters; printable ASCII lines
// of a file at a full path read alike everywhere.
bool ReadsLikeIniText(const std::string& path, std::string_view text)
{
    const bool fullPath = (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) ||
                          path.starts_with("\\\\") || path.starts_with("//");
    return fullPath && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= 0x20 && c <= 0x7E) || c == '\t' || c == '\r' || c == '\n';
           });
}

std::string ReadProfileString(const std::string& path, const char* section, const char* key, const char* fallback,
                              size_t capacity)
{
    // A null section or key would ask Windows for a list of names instead.
    if (!FitsProfile(section) || !FitsProfile(key))
        return {};
    capacity = std::min(capacity, kProfileCapacityLimit);
    if (capacity == 0)
        return {};
    std::string buffer(capacity, '\0');
    GetPrivateProfileStringA(section, key, fallback, buffer.data(), static_cast<DWORD>(capacity), path.c_str());
    buffer.resize(strnlen(buffer.c_str(), capacity));
    return buffer;
}

bool WriteProfileString(const std::string& path, const char* section, const char* key, const char* value)
{
    // A null key or value would delete a section or key instead.
    if (!IsWritableProfileEntry(section, key, value))
        return false;
    return WritePrivateProfileStringA(section, key, value, path.c_str()) != FALSE;
}

bool ClearProfileSection(const std::string& path, const char* section)
{
    if (!IsWritableProfileSection(section))
        return false;
    // An empty list of key=value lines: "\0" and the literal's own terminator.
    return WritePrivateProfileSectionA(section, "\0", path.c_str()) != FALSE;
}

}  // namespace orv::platform
