// Reading settings files key by key, as the instrument reads its
// configuration: the same cases run against Windows itself (under Wine) and
// against our own reader, with the same expectations.
#include "tests/platform/ProfileIniFixture.h"

#include <string>

using namespace orv::platform;

namespace {

using ProfileIniRead = ProfileIniTest;

TEST_F(ProfileIniRead, PresentKeysGiveTheirValuesAbsentOnesTheFallback)
{
    const std::string ini = IniWith("[Synth]\r\nVolume=0.5\r\nName=Bright Pad\r\n[Other]\r\nKey=1\r\n");
    EXPECT_EQ(Read(ini, "Synth", "Volume"), "0.5");
    EXPECT_EQ(Read(ini, "Synth", "Name"), "Bright Pad");
    EXPECT_EQ(Read(ini, "Synth", "Key"), kAbsent);
    EXPECT_EQ(Read(ini, "Missing", "Volume"), kAbsent);
    EXPECT_EQ(Read(ini, "Synth", "Volume", 64, nullptr), "0.5");
    EXPECT_EQ(Read(ini, "Synth", "Key", 64, nullptr), "");
}

TEST_F(ProfileIniRead, AMissingFileGivesTheFallback)
{
    EXPECT_EQ(Read(NewPath(), "Synth", "Volume"), kAbsent);
    EXPECT_EQ(Read(Folder().Inside("no folder") + orv::platform::PathSeparator() + "x.ini", "Synth", "Volume"),
              kAbsent);
    EXPECT_EQ(Read(Folder().Path(), "Synth", "Volume"), kAbsent);  // a folder, not a file
}

TEST_F(ProfileIniRead, AnEmptyValueIsEmptyButALineWithoutEqualsSignIsAbsent)
{
    const std::string ini = IniWith("[A]\nempty=\nblank =   \t\nbare\n  spaced bare  \n");
    EXPECT_EQ(Read(ini, "A", "empty"), "");
    EXPECT_EQ(Read(ini, "A", "blank"), "");
    EXPECT_EQ(Read(ini, "A", "bare"), kAbsent);
    EXPECT_EQ(Read(ini, "A", "spaced bare"), kAbsent);
}

TEST_F(ProfileIniRead, SectionAndKeyNamesIgnoreCase)
{
    const std::string ini = IniWith("[MIDI Global]\nMIDI Thru=true\n");
    EXPECT_EQ(Read(ini, "midi global", "midi thru"), "true");
    EXPECT_EQ(Read(ini, "MIDI GLOBAL", "MIDI THRU"), "true");
    EXPECT_EQ(Read(ini, "MIDI Global", "MIDIThru"), kAbsent);
}

TEST_F(ProfileIniRead, BlanksAroundNamesAndValuesDoNotCount)
{
    const std::string ini = IniWith("  [ Global ]  \n"
                                    "\t Path to Program Files \t=\t C:\\My Files \t\n"
                                    "ctrl=\x1a\v value \f\x1a\n");
    EXPECT_EQ(Read(ini, "Global", "Path to Program Files"), "C:\\My Files");
    EXPECT_EQ(Read(ini, "  Global\t", " Path to Program Files "), "C:\\My Files");
    EXPECT_EQ(Read(ini, "Global", "ctrl"), "value");
}

TEST_F(ProfileIniRead, EverythingAfterTheFirstEqualsSignIsTheValue)
{
    const std::string ini = IniWith("[A]\nformula = a=b = c\n");
    EXPECT_EQ(Read(ini, "A", "formula"), "a=b = c");
}

TEST_F(ProfileIniRead, QuotesAroundAValueAreDropped)
{
    const std::string ini = IniWith("[A]\n"
                                    "double=\"quoted text\"\n"
                                    "single='single'\n"
                                    "spaces=\" kept inside \"\n"
                                    "empty=\"\"\n"
                                    "open=\"half\n"
                                    "mixed=\"mixed'\n"
                                    "lone=\"\n"
                                    "inner=a \"b\" c\n");
    EXPECT_EQ(Read(ini, "A", "double"), "quoted text");
    EXPECT_EQ(Read(ini, "A", "single"), "single");
    EXPECT_EQ(Read(ini, "A", "spaces"), " kept inside ");
    EXPECT_EQ(Read(ini, "A", "empty"), "");
    EXPECT_EQ(Read(ini, "A", "open"), "\"half");
    EXPECT_EQ(Read(ini, "A", "mixed"), "\"mixed'");
    EXPECT_EQ(Read(ini, "A", "lone"), "\"");
    EXPECT_EQ(Read(ini, "A", "inner"), "a \"b\" c");
}

TEST_F(ProfileIniRead, AValueIsCutToOneLessThanTheCapacity)
{
    const std::string seventy = "0123456789012345678901234567890123456789012345678901234567890123456789";
    const std::string ini = IniWith("[Global]\nPath to Program Files=" + seventy + "\nquoted=\"abc\"\n");
    EXPECT_EQ(Read(ini, "Global", "Path to Program Files", 64), seventy.substr(0, 63));
    EXPECT_EQ(Read(ini, "Global", "Path to Program Files", 70), seventy.substr(0, 69));
    EXPECT_EQ(Read(ini, "Global", "Path to Program Files", 71), seventy);
    EXPECT_EQ(Read(ini, "Global", "Path to Program Files", 1000), seventy);
    EXPECT_EQ(Read(ini, "Global", "Path to Program Files", 2), "0");
    EXPECT_EQ(Read(ini, "Global", "Path to Program Files", 1), "");
    EXPECT_EQ(Read(ini, "Global", "Path to Program Files", 0), "");
    // Cut fallbacks too.
    EXPECT_EQ(Read(ini, "Global", "missing", 3, "ABCDEF"), "AB");
    EXPECT_EQ(Read(NewPath(), "Global", "missing", 3, "ABCDEF"), "AB");
    // A quoted value: the quotes do not take room, but Windows gives one
    // character less when the buffer ends exactly at the closing quote.
    EXPECT_EQ(Read(ini, "Global", "quoted", 5), "abc");
    EXPECT_EQ(Read(ini, "Global", "quoted", 4), "ab");
    EXPECT_EQ(Read(ini, "Global", "quoted", 3), "ab");
}

TEST_F(ProfileIniRead, AStartupBankPathReadsUpTo258Characters)
{
    std::string path = "C:\\Banks";
    while (path.size() < 300)
        path += "\\folder with spaces";
    const std::string ini = IniWith("[Startup Bank]\r\nFile=" + path + "\r\n");
    EXPECT_EQ(Read(ini, "Startup Bank", "File", 259), path.substr(0, 258));
}

TEST_F(ProfileIniRead, TheFallbackLosesTrailingBlanks)
{
    const std::string ini = IniWith("[A]\nx=1\n");
    EXPECT_EQ(Read(ini, "A", "missing", 64, "de f  "), "de f");
    EXPECT_EQ(Read(NewPath(), "A", "missing", 64, "-1 "), "-1");
    EXPECT_EQ(Read(ini, "A", "missing", 64, "tab\t"), "tab\t");
}

TEST_F(ProfileIniRead, AnyLineBreakConventionReads)
{
    EXPECT_EQ(Read(IniWith("[A]\r\nx=crlf\r\ny=2\r\n"), "A", "x"), "crlf");
    EXPECT_EQ(Read(IniWith("[A]\nx=lf\ny=2\n"), "A", "x"), "lf");
    EXPECT_EQ(Read(IniWith("[A]\rx=cr\ry=2\r"), "A", "y"), "2");
    EXPECT_EQ(Read(IniWith("[A]\r\n\r\n\n\rx=mixed\n\r\ny=2"), "A", "x"), "mixed");
}

TEST_F(ProfileIniRead, TheLastLineNeedsNoLineBreak)
{
    const std::string ini = IniWith("[A]\r\nx=1\r\nlast=final value");
    EXPECT_EQ(Read(ini, "A", "last"), "final value");
}

TEST_F(ProfileIniRead, TheFirstOfDuplicateSectionsCounts)
{
    const std::string ini = IniWith("[Synth]\nA=first\n[Other]\nB=1\n[SYNTH]\nA=second\nZ=only in the second\n");
    EXPECT_EQ(Read(ini, "Synth", "A"), "first");
    EXPECT_EQ(Read(ini, "synth", "Z"), kAbsent);
}

TEST_F(ProfileIniRead, TheFirstOfDuplicateKeysCounts)
{
    const std::string ini = IniWith("[A]\nq=1\nQ=2\nq=3\n");
    EXPECT_EQ(Read(ini, "A", "q"), "1");
    EXPECT_EQ(Read(ini, "A", "Q"), "1");
}

TEST_F(ProfileIniRead, KeysBeforeAnySectionBelongToTheUnnamedOne)
{
    const std::string ini = IniWith("top=outside\n[A]\nx=1\n");
    EXPECT_EQ(Read(ini, "A", "top"), kAbsent);
    EXPECT_EQ(Read(ini, "", "top"), "outside");
    EXPECT_EQ(Read(ini, "", "x"), kAbsent);
}

TEST_F(ProfileIniRead, ASectionNameRunsToTheLastClosingBracket)
{
    const std::string ini = IniWith("[a]b]\nk=1\n"
                                    "[T] trailing text\nt=2\n"
                                    "[U\nu=3\n"
                                    "[[x]]\nk=4\n"
                                    "[=]\ne=5\n");
    EXPECT_EQ(Read(ini, "a]b", "k"), "1");
    EXPECT_EQ(Read(ini, "a", "k"), kAbsent);
    EXPECT_EQ(Read(ini, "T", "t"), "2");
    // "[U" has no ']': an ordinary line of section T, not a section.
    EXPECT_EQ(Read(ini, "U", "u"), kAbsent);
    EXPECT_EQ(Read(ini, "T", "u"), "3");
    EXPECT_EQ(Read(ini, "[x]", "k"), "4");
    EXPECT_EQ(Read(ini, "=", "e"), "5");
}

TEST_F(ProfileIniRead, CommentLinesDefineNoKeys)
{
    const std::string ini = IniWith("[A]\n; Volume=1\n;Pan=0\nVolume=2\n");
    EXPECT_EQ(Read(ini, "A", "Volume"), "2");
    EXPECT_EQ(Read(ini, "A", "Pan"), kAbsent);
}

TEST_F(ProfileIniRead, ALeadingUtf8ByteOrderMarkIsSkipped)
{
    const std::string ini = IniWith("\xEF\xBB\xBF[MIDI Global]\r\nMIDI Thru=TRUE\r\n");
    EXPECT_EQ(Read(ini, "MIDI Global", "MIDI Thru"), "TRUE");
}

TEST_F(ProfileIniRead, LinesOfOnlyPunctuationReadConsistently)
{
    const std::string ini = IniWith("==x\n=\n[\n]\n[]\nm=1\n[ ]\nn=2\n");
    // "==x" is the key "" with the value "=x"; "[" and "]" are keys without values.
    EXPECT_EQ(Read(ini, "", ""), "=x");
    EXPECT_EQ(Read(ini, "", "["), kAbsent);
    EXPECT_EQ(Read(ini, "", "]"), kAbsent);
    // "[]" and "[ ]" name "" again: duplicates of the unnamed section.
    EXPECT_EQ(Read(ini, "", "m"), kAbsent);
    EXPECT_EQ(Read(ini, " ", "n"), kAbsent);
}

}  // namespace
