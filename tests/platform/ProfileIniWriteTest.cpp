// Writing settings files key by key, as the instrument saves its
// configuration. The same cases run against Windows itself (under Wine) and
// against our own writer. Windows writes every line afresh while ours keeps
// the file's own layout, so contents are compared line by line, trimmed,
// without blank lines (Lines()); ProfileIniPosixTest checks our exact bytes.
#include "tests/platform/ProfileIniFixture.h"

#include "platform/UserFolders.h"

#include <string>

using namespace orv::platform;

namespace {

using ProfileIniWrite = ProfileIniTest;
using orv::platform::ClearProfileSection;
using orv::platform::WriteProfileString;

TEST_F(ProfileIniWrite, AnExistingKeyIsRewrittenWhereItIs)
{
    const std::string ini = IniWith("[A]\nx=1\ny=2\n\n[B]\ny=3\n");
    ASSERT_TRUE(WriteProfileString(ini, "A", "y", "new"));
    EXPECT_EQ(Lines(ReadBytes(ini)), "[A]\nx=1\ny=new\n[B]\ny=3\n");
    EXPECT_EQ(Read(ini, "A", "y"), "new");
    EXPECT_EQ(Read(ini, "B", "y"), "3");
}

TEST_F(ProfileIniWrite, ANewKeyGoesAtTheEndOfItsSection)
{
    const std::string ini = IniWith("[A]\nx=1\n; a note\n\n[B]\nz=3\n");
    ASSERT_TRUE(WriteProfileString(ini, "A", "w", "2"));
    EXPECT_EQ(Lines(ReadBytes(ini)), "[A]\nx=1\n; a note\nw=2\n[B]\nz=3\n");
}

TEST_F(ProfileIniWrite, ANewSectionGoesAtTheEndOfTheFile)
{
    const std::string ini = IniWith("[A]\nx=1");
    ASSERT_TRUE(WriteProfileString(ini, "C", "w", "new"));
    EXPECT_EQ(Lines(ReadBytes(ini)), "[A]\nx=1\n[C]\nw=new\n");
    EXPECT_EQ(Read(ini, "A", "x"), "1");
    EXPECT_EQ(Read(ini, "C", "w"), "new");
}

TEST_F(ProfileIniWrite, AKeyGoesIntoASectionWhoseHeaderEndsTheFile)
{
    const std::string ini = IniWith("[A]\nx=1\n[Synth]");
    ASSERT_TRUE(WriteProfileString(ini, "Synth", "k", "v"));
    EXPECT_EQ(Lines(ReadBytes(ini)), "[A]\nx=1\n[Synth]\nk=v\n");
}

TEST_F(ProfileIniWrite, AMissingFileIsCreatedButNotAMissingFolder)
{
    const std::string ini = NewPath();
    ASSERT_TRUE(WriteProfileString(ini, "Startup Bank", "File", ""));
    EXPECT_EQ(Lines(ReadBytes(ini)), "[Startup Bank]\nFile=\n");

    const std::string folder = Folder().Inside("Tarnwick");
    EXPECT_FALSE(WriteProfileString(folder + orv::platform::PathSeparator() + "orv.ini", "A", "x", "1"));
    EXPECT_FALSE(orv::platform::FileExists(folder));
}

TEST_F(ProfileIniWrite, TheFileKeepsItsOwnSpellingOfNames)
{
    const std::string ini = IniWith("[Midi Global]\nMIDI thru=false\n");
    ASSERT_TRUE(WriteProfileString(ini, "MIDI GLOBAL", "midi THRU", "true"));
    EXPECT_EQ(Lines(ReadBytes(ini)), "[Midi Global]\nMIDI thru=true\n");
}

TEST_F(ProfileIniWrite, TheFirstOfDuplicatesIsWritten)
{
    const std::string ini = IniWith("[A]\nx=1\nX=2\n[B]\n[a]\nz=1\n");
    ASSERT_TRUE(WriteProfileString(ini, "A", "x", "new"));
    ASSERT_TRUE(WriteProfileString(ini, "a", "z", "new"));
    EXPECT_EQ(Lines(ReadBytes(ini)), "[A]\nx=new\nX=2\nz=new\n[B]\n[a]\nz=1\n");
    EXPECT_EQ(Read(ini, "A", "z"), "new");
}

TEST_F(ProfileIniWrite, KeysWithoutSectionGoBeforeTheFirstOne)
{
    const std::string ini = IniWith("[A]\nx=1\n");
    ASSERT_TRUE(WriteProfileString(ini, "", "top", "1"));
    EXPECT_EQ(Lines(ReadBytes(ini)), "top=1\n[A]\nx=1\n");
}

TEST_F(ProfileIniWrite, AKeyWithoutValueGetsOne)
{
    const std::string ini = IniWith("[A]\nx\ny=2\n");
    ASSERT_TRUE(WriteProfileString(ini, "A", "X", "new"));
    EXPECT_EQ(Lines(ReadBytes(ini)), "[A]\nx=new\ny=2\n");
}

TEST_F(ProfileIniWrite, ValuesReadBackAsWritten)
{
    const std::string ini = NewPath();
    std::string bankPath = "C:\\Users\\Some One\\Documents\\ORV Banks";
    while (bankPath.size() < 258)
        bankPath += "\\deeper folder";
    bankPath.resize(258);
    ASSERT_TRUE(WriteProfileString(ini, "Startup Bank", "File", bankPath.c_str()));
    ASSERT_TRUE(WriteProfileString(ini, "MIDI Control", "CC74", "-1"));
    ASSERT_TRUE(WriteProfileString(ini, "A", "padded", "  padded  "));
    ASSERT_TRUE(WriteProfileString(ini, "A", "quoted", "\"C:\\Program Files\""));
    ASSERT_TRUE(WriteProfileString(ini, "A", "empty", ""));
    EXPECT_EQ(Read(ini, "Startup Bank", "File", 259), bankPath);
    EXPECT_EQ(Read(ini, "MIDI Control", "CC74"), "-1");
    EXPECT_EQ(Read(ini, "A", "padded"), "padded");
    EXPECT_EQ(Read(ini, "A", "quoted"), "C:\\Program Files");
    EXPECT_EQ(Read(ini, "A", "empty"), "");
}

TEST_F(ProfileIniWrite, RewritingTheSameValueChangesNothing)
{
    const std::string ini = IniWith("[A]\r\nx=1\r\n");
    ASSERT_TRUE(WriteProfileString(ini, "A", "x", "1"));
    EXPECT_EQ(ReadBytes(ini), "[A]\r\nx=1\r\n");
}

TEST_F(ProfileIniWrite, TextThatCouldNotReadBackIsRefused)
{
    const std::string original = "[A]\r\nx=1\r\n";
    const std::string ini = IniWith(original);
    // A line break would let a value plant a section of its own.
    EXPECT_FALSE(WriteProfileString(ini, "A", "x", "a\r\n[Planted]\r\nb=2"));
    EXPECT_FALSE(WriteProfileString(ini, "A", "x", "a\nb"));
    EXPECT_FALSE(WriteProfileString(ini, "A\n[B]", "x", "1"));
    EXPECT_FALSE(WriteProfileString(ini, "A", "x\ny", "1"));
    EXPECT_FALSE(WriteProfileString(ini, "A", "k=j", "1"));
    EXPECT_FALSE(WriteProfileString(ini, "A", "", "1"));
    EXPECT_FALSE(WriteProfileString(ini, "A", "  ", "1"));
    EXPECT_FALSE(WriteProfileString(ini, "A", "[x]", "1"));
    EXPECT_FALSE(WriteProfileString(ini, "A", "x", nullptr));
    EXPECT_FALSE(WriteProfileString(ini, "A", nullptr, "1"));
    EXPECT_FALSE(WriteProfileString(ini, nullptr, "x", "1"));
    EXPECT_FALSE(ClearProfileSection(ini, nullptr));
    EXPECT_FALSE(ClearProfileSection(ini, "A\r\n"));
    EXPECT_EQ(ReadBytes(ini), original);
    EXPECT_EQ(Read(ini, "Planted", "b"), kAbsent);
}

TEST_F(ProfileIniWrite, ClearingASectionRemovesItsKeysAndKeepsEverythingElse)
{
    const std::string ini = IniWith("top=1\n[Startup Bank]\nFile=C:\\old.fxb\n; chosen in 2023\n\n"
                                    "[MIDI Global]\nMIDI Thru=true\n");
    ASSERT_TRUE(ClearProfileSection(ini, "startup bank"));
    EXPECT_EQ(Lines(ReadBytes(ini)), "top=1\n[Startup Bank]\n[MIDI Global]\nMIDI Thru=true\n");
    EXPECT_EQ(Read(ini, "Startup Bank", "File"), kAbsent);

    ASSERT_TRUE(WriteProfileString(ini, "Startup Bank", "File", "C:\\new.fxb"));
    EXPECT_EQ(Lines(ReadBytes(ini)), "top=1\n[Startup Bank]\nFile=C:\\new.fxb\n[MIDI Global]\nMIDI Thru=true\n");
}

TEST_F(ProfileIniWrite, ClearingEmptiesEveryDuplicateSection)
{
    const std::string ini = IniWith("[A]\nx=1\n[B]\ny=1\n[a]\nz=1\n");
    ASSERT_TRUE(ClearProfileSection(ini, "A"));
    EXPECT_EQ(Lines(ReadBytes(ini)), "[A]\n[B]\ny=1\n[a]\n");
}

TEST_F(ProfileIniWrite, ClearingWhatIsNotThereChangesNothing)
{
    const std::string original = "top=1\r\n[A]\r\nx=1\r\n";
    const std::string ini = IniWith(original);
    EXPECT_TRUE(ClearProfileSection(ini, "Missing"));
    EXPECT_EQ(ReadBytes(ini), original);

    const std::string missing = NewPath();
    EXPECT_TRUE(ClearProfileSection(missing, "A"));
    EXPECT_FALSE(orv::platform::FileExists(missing));

    const std::string inMissingFolder = Folder().Inside("Tarnwick") + orv::platform::PathSeparator() + "orv.ini";
    EXPECT_FALSE(ClearProfileSection(inMissingFolder, "A"));
}

TEST_F(ProfileIniWrite, ClearingTheUnnamedSectionRemovesTheKeysBeforeTheFirstSection)
{
    const std::string ini = IniWith("; settings\r\ntop=1\r\n[A]\r\nx=1\r\n");
    EXPECT_TRUE(ClearProfileSection(ini, ""));
    EXPECT_EQ(Lines(ReadBytes(ini)), "[A]\nx=1\n");
}

TEST_F(ProfileIniWrite, SavingControllersLeavesExactlyTheMappedOnes)
{
    const std::string ini = IniWith("[MIDI Control]\r\nCC1=3\r\nCC7=12\r\nCC74=5\r\n[Synth]\r\nx=1\r\n");
    ASSERT_TRUE(ClearProfileSection(ini, "MIDI Control"));
    ASSERT_TRUE(WriteProfileString(ini, "MIDI Control", "CC1", "7"));
    ASSERT_TRUE(WriteProfileString(ini, "MIDI Control", "CC74", "3"));
    EXPECT_EQ(Lines(ReadBytes(ini)), "[MIDI Control]\nCC1=7\nCC74=3\n[Synth]\nx=1\n");
    EXPECT_EQ(Read(ini, "MIDI Control", "CC7", 64, "-1"), "-1");
}

}  // namespace
