// The private-profile functions rebuilt on INI text of our own (IniText.h),
// answering as the Windows ones do. Files are read whole on every call; the
// settings files this serves are small and read rarely.
#include "../ProfileIni.h"

#include "../ProfileIniRules.h"
#include "../AtomicFile.h"
#include "FileContents.h"
#include "IniText.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <sys/stat.h>

namespace platform {
namespace {

// Larger files are not settings files: they read as absent and are never
// rewritten, so that nothing in them is lost.
constexpr size_t kLargestFile = 16u << 20;

enum class Load { Read, Missing, Refused };

bool IsUtf16(std::string_view text)
{
    return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF");
}

// A file in UTF-16 (which Windows reads) is refused rather than misread or
// corrupted by lines added in another encoding.
Load LoadFile(const std::string& path, std::string& text)
{
    switch (ReadWholeFile(path, kLargestFile, text)) {
    case FileReadResult::Read:
        return IsUtf16(text) ? Load::Refused : Load::Read;
    case FileReadResult::Missing:
        return Load::Missing;
    case FileReadResult::Refused:
        break;
    }
    return Load::Refused;
}

bool FolderOfFileExists(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return true;
    struct stat info {};
    const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// What a caller's buffer of capacity bytes receives. A value quoted at both
// ends ("..." or '...') loses its quotes; a cut value keeps its opening
// part. When the buffer is exactly as long as the value without its opening
// quote, Windows (as Wine shows) also drops the value's last character;
// kept here so that both systems read the same text.
std::string ForCaller(std::string_view value, size_t capacity)
{
    capacity = std::min(capacity, kProfileCapacityLimit);
    if (capacity == 0)
        return {};
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    if (quoted)
        value.remove_prefix(1);
    std::string result(value.substr(0, capacity - 1));
    if (quoted && capacity >= value.size() && !result.empty())
        result.pop_back();
    return result;
}

// The fallback loses trailing blanks (all but a first character), as on Windows.
std::string_view FallbackText(const char* fallback)
{
    if (fallback == nullptr)
        return {};
    std::string_view text = fallback;
    while (text.size() > 1 && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::string ReadProfileString(const std::string& path, const char* section, const char* key, const char* fallback,
                              size_t capacity)
{
    if (!FitsProfile(section) || !FitsProfile(key))
        return {};
    std::string text;
    if (LoadFile(path, text) == Load::Read) {
        if (const std::optional<std::string_view> value = ini::FindValue(text, section, key))
            return ForCaller(*value, capacity);
    }
    return ForCaller(FallbackText(fallback), capacity);
}

bool WriteProfileString(const std::string& path, const char* section, const char* key, const char* value)
{
    if (!IsWritableProfileEntry(section, key, value))
        return false;
    std::string text;
    if (LoadFile(path, text) == Load::Refused)
        return false;
    const std::string changed = ini::WithValue(text, section, key, value);
    return changed == text || WriteFileAtomically(path, changed);
}

bool ClearProfileSection(const std::string& path, const char* section)
{
    if (!IsWritableProfileSection(section))
        return false;
    std::string text;
    switch (LoadFile(path, text)) {
    case Load::Refused:
        return false;
    case Load::Missing:
        // Nothing to empty; like Windows, no file is created for it.
        return FolderOfFileExists(path);
    case Load::Read:
        break;
    }
    const std::string changed = ini::WithSectionEmptied(text, section);
    return changed == text || WriteFileAtomically(path, changed);
}

}  // namespace platform
