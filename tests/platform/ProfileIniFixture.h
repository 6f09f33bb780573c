// Settings files in a private temporary folder, for the settings-file tests
// that run alike against our reader/writer and against Windows itself.
#pragma once

#include "platform/ProfileIni.h"
#include "platform/ProfileSnapshot.h"
#include "tests/platform/FileBytes.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

class ProfileIniTest : public ::testing::Test {
protected:
    static constexpr const char* kAbsent = "(absent)";

    // A new file holding text. Every file gets a new name: Windows caches the
    // files it has read, so rewriting one behind its back could read stale.
    std::string IniWith(std::string_view text)
    {
        const std::string path = NewPath();
        WriteBytes(path, text);
        return path;
    }

    std::string NewPath() { return folder_.Inside("settings" + std::to_string(++files_) + ".ini"); }

    const TempFolder& Folder() const { return folder_; }

    // Every case also asks a snapshot of the file (the whole configuration
    // read at once), which must answer exactly what the key-by-key read does.
    static std::string Read(const std::string& path, const char* section, const char* key, size_t capacity = 64,
                            const char* fallback = kAbsent)
    {
        const std::string answer = orv::platform::ReadProfileString(path, section, key, fallback, capacity);
        EXPECT_EQ(orv::platform::ProfileSnapshot(path).Read(section, key, fallback, capacity), answer)
            << "snapshot of " << path << " for [" << (section ? section : "(null)") << "] " << (key ? key : "(null)");
        return answer;
    }

private:
    TempFolder folder_;
    int files_ = 0;
};
