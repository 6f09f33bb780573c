// A settings file read once: every question ReadProfileString could be asked
// about it is answered from memory, with the answer ReadProfileString gives
// for the file as it was when the snapshot was taken. For reading a whole
// configuration; writes still go key by key (ProfileIni.h).
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>

namespace orv::platform {

class ProfileSnapshot {
public:
    explicit ProfileSnapshot(const std::string& path);

    // What ReadProfileString(path, section, key, fallback, capacity) answers.
    std::string Read(const char* section, const char* key, const char* fallback, size_t capacity) const;

private:
    struct Value {
        bool present = false;  // false: a key line without '=', which reads as absent
        size_t begin = 0;      // the value's place in text
        size_t size = 0;
    };
    // Folded key name -> the first line of that key in the section.
    using Keys = std::unordered_map<std::string, Value>;

    std::string path;
    // False when the file is not one whose reading IniText reproduces here
    // (or could not be read): then every question goes to ReadProfileString.
    bool indexed = false;
    std::string text;
    // Folded section name -> the keys of the first section of that name.
    std::unordered_map<std::string, Keys> sections;
};

}  // namespace orv::platform
