// The shell's folders under Windows (in the test's private Wine prefix).
#include "platform/UserFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace orv::platform;

namespace {

TEST(UserFoldersWindows, TheShellFoldersAreExistingAbsoluteFolders)
{
    const std::string local = orv::platform::LocalSettingsFolder();
    const std::string documents = orv::platform::DocumentsFolder();
    for (const std::string& folder : {local, documents}) {
        ASSERT_FALSE(folder.empty());
        EXPECT_TRUE(std::filesystem::path(folder).is_absolute()) << folder;
        EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder;
        EXPECT_NE(folder.back(), '\\') << folder;
    }
    EXPECT_NE(local, documents);
}

}  // namespace
