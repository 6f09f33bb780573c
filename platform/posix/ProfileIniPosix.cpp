// The private-profile functions rebuilt on INI text of our own (IniText.h),
// answering as the Windows ones do. Files are read whole on every call; a
// reader of many keys takes a ProfileSnapshot instead.
#include "platform/ProfileIni.h"

#include "platform/AtomicFile.h"
#include "platform/FileContents.h"
#include "platform/IniText.h"
#include "platform/ProfileAnswer.h"
#include "platform/ProfileIniRules.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <sys/stat.h>

namespace orv::platform {
namespace {

enum class Load { Read, Missing, Refused };

bool IsUtf16(std::string_view text)
{
    return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF");
}

// A file in UTF-16 (which Windows reads) is refused rather than misread or
// corrupted by lines added in another encoding.
Load LoadFile(const std::string& path, std::string& text)
{
    switch (ReadWholeFile(path, kLargestProfileFile, text)) {
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

}  // namespace

// Our reader is IniText; it takes UTF-16 files for absent.
bool ReadsLikeIniText(const std::string&, std::string_view text)
{
    return !IsUtf16(text);
}

std::string ReadProfileString(const std::string& path, const char* section, const char* key, const char* fallback,
                              size_t capacity)
{
    if (!FitsProfile(section) || !FitsProfile(key))
        return {};
    std::string text;
    if (LoadFile(path, text) == Load::Read) {
        if (const std::optional<std::string_view> value = ini::FindValue(text, section, key))
            return ProfileAnswer(*value, capacity);
    }
    return ProfileAnswer(ProfileFallback(fallback), capacity);
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

}  // namespace orv::platform
