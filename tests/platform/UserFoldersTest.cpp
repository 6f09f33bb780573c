// Creating the instrument's settings folder and file, as it does on its
// first start, on both systems.
#include "platform/UserFolders.h"
#include "tests/platform/FileBytes.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace orv::platform;

namespace {

using orv::platform::CreateEmptyFile;
using orv::platform::EnsureFolder;
using orv::platform::FileExists;
using orv::platform::PathSeparator;

TEST(UserFolders, EnsureFolderCreatesAMissingFolderAndAcceptsAnExistingOne)
{
    TempFolder temp;
    const std::string folder = temp.Inside("Tarnwick");
    EXPECT_TRUE(EnsureFolder(folder));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_TRUE(EnsureFolder(folder));
    EXPECT_TRUE(EnsureFolder(temp.Path()));
}

TEST(UserFolders, EnsureFolderFailsWithoutAParentOrWhereAFileIs)
{
    TempFolder temp;
    EXPECT_FALSE(EnsureFolder(temp.Inside("missing") + PathSeparator() + "Tarnwick"));
    EXPECT_FALSE(std::filesystem::exists(temp.Inside("missing")));
    const std::string file = temp.Inside("a file");
    WriteBytes(file, "contents");
    EXPECT_FALSE(EnsureFolder(file));
    EXPECT_EQ(ReadBytes(file), "contents");
    EXPECT_FALSE(EnsureFolder(""));
}

TEST(UserFolders, TheSeparatorJoinsFolderAndFileNames)
{
    TempFolder temp;
    const std::string folder = temp.Path() + PathSeparator() + "Tarnwick";
    const std::string file = folder + PathSeparator() + "orv.ini";
    ASSERT_TRUE(EnsureFolder(folder));
    ASSERT_TRUE(CreateEmptyFile(file));
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(temp.Path()) / "Tarnwick" / "orv.ini"));
}

TEST(UserFolders, CreateEmptyFileMakesAnEmptyFile)
{
    TempFolder temp;
    const std::string file = temp.Inside("orv.ini");
    EXPECT_FALSE(FileExists(file));
    ASSERT_TRUE(CreateEmptyFile(file));
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(std::filesystem::file_size(file), 0u);
}

TEST(UserFolders, CreateEmptyFileNeverEmptiesAnExistingFile)
{
    // Another instance may have written the file since this one looked.
    TempFolder temp;
    const std::string file = temp.Inside("orv.ini");
    WriteBytes(file, "[MIDI Global]\r\nMIDI Thru=true\r\n");
    EXPECT_TRUE(CreateEmptyFile(file));
    EXPECT_EQ(ReadBytes(file), "[MIDI Global]\r\nMIDI Thru=true\r\n");
}

TEST(UserFolders, CreateEmptyFileFailsInAMissingFolderOrOnAFolder)
{
    TempFolder temp;
    EXPECT_FALSE(CreateEmptyFile(temp.Inside("missing") + PathSeparator() + "orv.ini"));
    EXPECT_FALSE(CreateEmptyFile(temp.Path()));
    EXPECT_FALSE(CreateEmptyFile(""));
}

TEST(UserFolders, FileExistsOnlyForFiles)
{
    TempFolder temp;
    EXPECT_FALSE(FileExists(temp.Path()));
    EXPECT_FALSE(FileExists(temp.Inside("missing")));
    EXPECT_FALSE(FileExists(temp.Inside("missing") + PathSeparator() + "orv.ini"));
    EXPECT_FALSE(FileExists(""));
    WriteBytes(temp.Inside("orv.ini"), "");
    EXPECT_TRUE(FileExists(temp.Inside("orv.ini")));
}

}  // namespace
