// Where the settings and documents folders are on Linux: the XDG base and
// user directories, found from the environment. Each test points HOME and
// XDG_CONFIG_HOME into a temporary folder and restores them afterwards.
#include "platform/UserFolders.h"
#include "tests/platform/FileBytes.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

using namespace orv::platform;

namespace {

using orv::platform::DocumentsFolder;
using orv::platform::LocalSettingsFolder;

class SavedVariable {
public:
    explicit SavedVariable(const char* name) : name_(name)
    {
        if (const char* value = std::getenv(name))
            value_ = value;
    }
    ~SavedVariable()
    {
        if (value_)
            setenv(name_, value_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> value_;
};

class UserFoldersPosix : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(Home());
        setenv("HOME", Home().c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
    }

    std::string Home() const { return temp_.Inside("home"); }

    void WriteUserDirs(const std::string& text)
    {
        std::filesystem::create_directories(Home() + "/.config");
        WriteBytes(Home() + "/.config/user-dirs.dirs", text);
    }

    std::string MakeFolder(const std::string& path)
    {
        std::filesystem::create_directories(path);
        return path;
    }

private:
    SavedVariable home_{"HOME"};
    SavedVariable config_{"XDG_CONFIG_HOME"};
    TempFolder temp_;
};

TEST_F(UserFoldersPosix, SettingsLiveInXdgConfigHomeWhenItIsAbsolute)
{
    setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
    EXPECT_EQ(LocalSettingsFolder(), "/somewhere/config");
    setenv("XDG_CONFIG_HOME", "/somewhere/config//", 1);
    EXPECT_EQ(LocalSettingsFolder(), "/somewhere/config");
}

TEST_F(UserFoldersPosix, SettingsLiveInDotConfigOtherwise)
{
    EXPECT_EQ(LocalSettingsFolder(), Home() + "/.config");
    setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(LocalSettingsFolder(), Home() + "/.config");
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(LocalSettingsFolder(), Home() + "/.config");
    setenv("HOME", (Home() + "/").c_str(), 1);
    EXPECT_EQ(LocalSettingsFolder(), Home() + "/.config");
}

TEST_F(UserFoldersPosix, WithoutHomeTheAccountsHomeFolderIsUsed)
{
    unsetenv("HOME");
    const std::string folder = LocalSettingsFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_TRUE(folder.ends_with("/.config")) << folder;
    setenv("HOME", "not/absolute", 1);
    EXPECT_EQ(LocalSettingsFolder(), folder);
}

TEST_F(UserFoldersPosix, DocumentsComeFromTheUserDirectoriesFile)
{
    const std::string papers = MakeFolder(Home() + "/My Papers");
    WriteUserDirs("# written by xdg-user-dirs-update\n"
                  "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                  "XDG_DOCUMENTS_DIR=\"$HOME/My Papers\"\n"
                  "XDG_MUSIC_DIR=\"$HOME/Music\"\n");
    EXPECT_EQ(DocumentsFolder(), papers);
}

TEST_F(UserFoldersPosix, TheUserDirectoriesFileFollowsXdgConfigHome)
{
    const std::string config = MakeFolder(Home() + "/elsewhere");
    const std::string papers = MakeFolder(Home() + "/Papers");
    WriteBytes(config + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    EXPECT_EQ(DocumentsFolder(), papers);
}

TEST_F(UserFoldersPosix, AbsoluteAndEscapedEntriesAreUnderstood)
{
    const std::string odd = MakeFolder(Home() + "/a \"quoted\" \\ folder");
    WriteUserDirs("  XDG_DOCUMENTS_DIR = \"" + Home() + "/a \\\"quoted\\\" \\\\ folder/\"\n");
    EXPECT_EQ(DocumentsFolder(), odd);
}

TEST_F(UserFoldersPosix, TheLastEntryCounts)
{
    MakeFolder(Home() + "/First");
    const std::string second = MakeFolder(Home() + "/Second");
    WriteUserDirs("XDG_DOCUMENTS_DIR=\"$HOME/First\"\nXDG_DOCUMENTS_DIR=\"$HOME/Second\"\n");
    EXPECT_EQ(DocumentsFolder(), second);
}

TEST_F(UserFoldersPosix, WithoutAUsableEntryDocumentsIsUsedWhenItExists)
{
    MakeFolder(Home() + "/relative");
    for (const std::string text :
         {"", "# XDG_DOCUMENTS_DIR=\"$HOME/relative\"\n", "XDG_DOCUMENTS_DIR=$HOME/relative\n",
          "XDG_DOCUMENTS_DIR=\"relative\"\n", "XDG_DOCUMENTS_DIR=\"$HOMErelative\"\n",
          "XDG_DOCUMENTS_DIR=\"$HOME/relative\n", "XDG_DOCUMENTS_DIRECTORY=\"$HOME/relative\"\n",
          "XDG_DOCUMENTS_DIR=\"$HOME/missing\"\n"}) {
        WriteUserDirs(text);
        EXPECT_EQ(DocumentsFolder(), Home()) << text;
        const std::string documents = MakeFolder(Home() + "/Documents");
        EXPECT_EQ(DocumentsFolder(), documents) << text;
        std::filesystem::remove(documents);
    }
}

TEST_F(UserFoldersPosix, AHostileUserDirectoriesFileIsIgnored)
{
    std::string junk(1 << 20, 'x');
    for (size_t i = 0; i < junk.size(); i += 7)
        junk[i] = static_cast<char>(i * 31);
    WriteUserDirs(junk + "\nXDG_DOCUMENTS_DIR=\"$HOME\"\n");
    EXPECT_EQ(DocumentsFolder(), Home());
    WriteUserDirs("XDG_DOCUMENTS_DIR=\"$HOME/" + std::string(5000, 'd') + "\"\n");
    EXPECT_EQ(DocumentsFolder(), Home());
}

TEST_F(UserFoldersPosix, TheSettingsFolderIsPrivate)
{
    const std::string folder = Home() + "/Tarnwick";
    ASSERT_TRUE(orv::platform::EnsureFolder(folder));
    struct stat info {};
    ASSERT_EQ(stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 077, 0u);
}

TEST_F(UserFoldersPosix, CreatingAFileWhereAPipeIsNeitherHangsNorSucceeds)
{
    const std::string pipe = Home() + "/orv.ini";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(orv::platform::CreateEmptyFile(pipe));
}

}  // namespace
