// What our own settings-file writer promises beyond the Windows functions:
// the file's layout is kept byte for byte, a file is replaced in one step and
// only when that is safe, and files that are not settings files are left
// alone.
#include "tests/platform/ProfileIniFixture.h"

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

using namespace orv::platform;

namespace {

using ProfileIniPosix = ProfileIniTest;
using orv::platform::ClearProfileSection;
using orv::platform::WriteProfileString;

// Everything a hand-edited file may hold: a byte-order mark, comments,
// blank lines, indentation, tabs, spaces around '=', text after a header.
const std::string kHandEdited = "\xEF\xBB\xBF; ORV settings\n"
                                "\n"
                                "[ Startup Bank ]   ; chosen by hand\n"
                                "  File = /home/me/banks/pads.fxb  \n"
                                "\n"
                                "; MIDI\n"
                                "[MIDI Global]\n"
                                "MIDI Thru\t=\ttrue\n"
                                "Ignore Program Change=false\n"
                                "\n"
                                "\n"
                                "[Synth Globals]\n"
                                "Vibrato Rate = 5.5";

TEST_F(ProfileIniPosix, EditingAKeyChangesOnlyItsValue)
{
    const std::string ini = IniWith(kHandEdited);
    ASSERT_TRUE(WriteProfileString(ini, "startup bank", "FILE", "/home/me/banks/keys.fxb"));
    ASSERT_TRUE(WriteProfileString(ini, "MIDI Global", "MIDI Thru", "false"));
    std::string expected = kHandEdited;
    expected.replace(expected.find("/home/me/banks/pads.fxb  "), 25, "/home/me/banks/keys.fxb");
    expected.replace(expected.find("\ttrue"), 5, "\tfalse");
    EXPECT_EQ(ReadBytes(ini), expected);
}

TEST_F(ProfileIniPosix, ANewKeyIsAddedAfterItsSectionsLastLine)
{
    const std::string ini = IniWith(kHandEdited);
    ASSERT_TRUE(WriteProfileString(ini, "MIDI Global", "Extra", "1"));
    ASSERT_TRUE(WriteProfileString(ini, "Synth Globals", "Pitch Bend Range", "12"));
    std::string expected = kHandEdited;
    expected.insert(expected.find("Ignore Program Change=false\n") + 28, "Extra=1\n");
    expected += "\nPitch Bend Range=12\n";
    EXPECT_EQ(ReadBytes(ini), expected);
}

TEST_F(ProfileIniPosix, ANewSectionIsAppended)
{
    const std::string ini = IniWith(kHandEdited);
    ASSERT_TRUE(WriteProfileString(ini, "MIDI Control", "CC1", "7"));
    EXPECT_EQ(ReadBytes(ini), kHandEdited + "\n[MIDI Control]\nCC1=7\n");
}

TEST_F(ProfileIniPosix, ClearingASectionKeepsItsHeaderAndTheBlankLinesAfterIt)
{
    const std::string ini = IniWith(kHandEdited);
    ASSERT_TRUE(ClearProfileSection(ini, "MIDI Global"));
    std::string expected = kHandEdited;
    expected.erase(expected.find("MIDI Thru\t"),
                   std::string("MIDI Thru\t=\ttrue\nIgnore Program Change=false\n").size());
    EXPECT_EQ(ReadBytes(ini), expected);
}

TEST_F(ProfileIniPosix, KeysWithoutSectionGoAfterTheByteOrderMark)
{
    const std::string ini = IniWith("\xEF\xBB\xBF[A]\nx=1\n");
    ASSERT_TRUE(WriteProfileString(ini, "", "top", "1"));
    EXPECT_EQ(ReadBytes(ini), "\xEF\xBB\xBFtop=1\n[A]\nx=1\n");
}

TEST_F(ProfileIniPosix, NewLinesEndLikeTheFilesLines)
{
    const std::string crlf = IniWith("[A]\r\nx=1\r\n");
    ASSERT_TRUE(WriteProfileString(crlf, "A", "y", "2"));
    ASSERT_TRUE(WriteProfileString(crlf, "B", "z", "3"));
    EXPECT_EQ(ReadBytes(crlf), "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");

    const std::string cr = IniWith("[A]\rx=1");
    ASSERT_TRUE(WriteProfileString(cr, "A", "y", "2"));
    EXPECT_EQ(ReadBytes(cr), "[A]\rx=1\ry=2\r");

    const std::string fresh = NewPath();
    ASSERT_TRUE(WriteProfileString(fresh, "A", "x", "1"));
    EXPECT_EQ(ReadBytes(fresh), "[A]\nx=1\n");
}

TEST_F(ProfileIniPosix, JunkAroundTheEditIsKeptExactly)
{
    std::string junk(4096, '\0');
    for (size_t i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<char>(i * 131 + 7);
    junk[0] = 'J';
    const std::string ini = IniWith(junk + "\n[A]\nx=1\n" + junk);
    ASSERT_TRUE(WriteProfileString(ini, "A", "x", "2"));
    EXPECT_EQ(ReadBytes(ini), junk + "\n[A]\nx=2\n" + junk);
}

// Larger files are no settings files: they read as absent and stay untouched.
TEST_F(ProfileIniPosix, FilesOver16MiBAreLeftAlone)
{
    const size_t limit = 16u << 20;
    std::string text = "[A]\nx=1\n;";
    text.resize(limit, 'p');
    const std::string atLimit = IniWith(text);
    EXPECT_EQ(Read(atLimit, "A", "x"), "1");

    text += 'p';
    const std::string over = IniWith(text);
    EXPECT_EQ(Read(over, "A", "x"), kAbsent);
    EXPECT_FALSE(WriteProfileString(over, "A", "x", "2"));
    EXPECT_FALSE(ClearProfileSection(over, "A"));
    EXPECT_EQ(ReadBytes(over), text);
}

TEST_F(ProfileIniPosix, Utf16FilesAreLeftAlone)
{
    for (const std::string mark : {"\xFF\xFE", "\xFE\xFF"}) {
        using namespace std::string_literals;
        const std::string text = mark + "[\0A\0]\0\r\0\n\0x\0=\0\x31\0"s;
        const std::string ini = IniWith(text);
        EXPECT_EQ(Read(ini, "A", "x"), kAbsent);
        EXPECT_FALSE(WriteProfileString(ini, "A", "x", "2"));
        EXPECT_FALSE(ClearProfileSection(ini, "A"));
        EXPECT_EQ(ReadBytes(ini), text);
    }
}

TEST_F(ProfileIniPosix, APipeOrFolderAtThePathNeitherHangsNorIsReplaced)
{
    const std::string pipe = NewPath();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(Read(pipe, "A", "x"), kAbsent);
    EXPECT_FALSE(WriteProfileString(pipe, "A", "x", "1"));
    EXPECT_FALSE(ClearProfileSection(pipe, "A"));
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));

    const std::string folder = NewPath();
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(WriteProfileString(folder, "A", "x", "1"));
    EXPECT_FALSE(ClearProfileSection(folder, "A"));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST_F(ProfileIniPosix, ALinkedFileIsWrittenThroughTheLink)
{
    const std::string target = IniWith("[A]\nx=1\n");
    const std::string link = NewPath();
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(WriteProfileString(link, "A", "x", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "[A]\nx=2\n");
}

TEST_F(ProfileIniPosix, PermissionsAreKeptAndNoTemporaryFilesRemain)
{
    const std::string ini = IniWith("[A]\nx=1\n");
    ASSERT_EQ(chmod(ini.c_str(), 0640), 0);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(WriteProfileString(ini, "A", "x", std::to_string(i).c_str()));
    ASSERT_TRUE(ClearProfileSection(ini, "A"));
    struct stat info {};
    ASSERT_EQ(stat(ini.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Folder().Path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

}  // namespace
