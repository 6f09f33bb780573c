#include "platform/ProfileSnapshot.h"

#include "platform/FileContents.h"
#include "platform/IniText.h"
#include "platform/ProfileAnswer.h"
#include "platform/ProfileIni.h"
#include "platform/ProfileIniRules.h"

#include <optional>
#include <string_view>
#include <utility>

namespace orv::platform {

ProfileSnapshot::ProfileSnapshot(const std::string& file) : path(file)
{
    std::string contents;
    if (ReadWholeFile(path, kLargestProfileFile, contents) != FileReadResult::Read || !ReadsLikeIniText(path, contents))
        return;
    text = std::move(contents);
    // Only the first section of a name and the first line of a key in it can
    // be found; later ones are skipped (try_emplace keeps the first).
    Keys* current = &sections[""];  // the lines before the first header
    ini::Scan(
        text,
        [&](std::string_view name) {
            const auto [it, first] = sections.try_emplace(ini::FoldedName(name));
            current = first ? &it->second : nullptr;
        },
        [&](std::string_view name, std::optional<std::string_view> value) {
            if (current == nullptr)
                return;
            Value entry;
            if (value) {
                entry.present = true;
                entry.begin = static_cast<size_t>(value->data() - text.data());
                entry.size = value->size();
            }
            current->try_emplace(ini::FoldedName(name), entry);
        });
    indexed = true;
}

std::string ProfileSnapshot::Read(const char* section, const char* key, const char* fallback, size_t capacity) const
{
    if (!FitsProfile(section) || !FitsProfile(key))
        return {};
    if (!indexed)
        return ReadProfileString(path, section, key, fallback, capacity);
    const auto keys = sections.find(ini::FoldedName(ini::LookupName(section)));
    if (keys != sections.end()) {
        const auto value = keys->second.find(ini::FoldedName(ini::LookupName(key)));
        if (value != keys->second.end() && value->second.present)
            return ProfileAnswer(std::string_view(text).substr(value->second.begin, value->second.size), capacity);
    }
    return ProfileAnswer(ProfileFallback(fallback), capacity);
}

}  // namespace orv::platform
