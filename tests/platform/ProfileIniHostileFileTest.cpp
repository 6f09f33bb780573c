// Settings files no editor would write: binary junk, enormous lines, stray
// NUL bytes, thousands of sections. Reading and writing them must neither
// crash nor hang, and keys around the damage still work, on both systems.
#include "tests/platform/ProfileIniFixture.h"

#include <cstdint>
#include <string>

using namespace orv::platform;

namespace {

using ProfileIniHostileFile = ProfileIniTest;
using orv::platform::ClearProfileSection;
using orv::platform::WriteProfileString;

// Reproducible bytes of every value, NUL and line breaks included.
std::string Junk(size_t size, uint32_t seed)
{
    std::string junk(size, '\0');
    for (char& c : junk) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }
    junk[0] = 'J';  // not a byte-order mark: the file is not read as UTF-16
    return junk;
}

TEST_F(ProfileIniHostileFile, BinaryJunkAroundASectionDoesNotHideIt)
{
    const std::string ini = IniWith(Junk(64 * 1024, 1) + "\r\n[Synth]\r\nKnown=yes\r\n" + Junk(4096, 2).substr(1));
    EXPECT_EQ(Read(ini, "Synth", "Known"), "yes");
    EXPECT_EQ(Read(ini, "Synth", "Unknown"), kAbsent);
    for (const char* section : {"", "Synth", "J", "\x80\xff"}) {
        Read(ini, section, "", 259);
        Read(ini, section, "x", 259);
    }
    ASSERT_TRUE(WriteProfileString(ini, "Synth", "Written", "1"));
    ASSERT_TRUE(WriteProfileString(ini, "New Section", "Written", "2"));
    EXPECT_EQ(Read(ini, "Synth", "Known"), "yes");
    EXPECT_EQ(Read(ini, "Synth", "Written"), "1");
    EXPECT_EQ(Read(ini, "New Section", "Written"), "2");
    EXPECT_TRUE(ClearProfileSection(ini, "Synth"));
    EXPECT_EQ(Read(ini, "Synth", "Known"), kAbsent);
}

TEST_F(ProfileIniHostileFile, JunkWithoutAnyLineBreakReadsAsNothing)
{
    std::string junk = Junk(256 * 1024, 3);
    for (char& c : junk)
        if (c == '\r' || c == '\n' || c == '\0' || c == '=' || c == '[')
            c = 'x';
    const std::string ini = IniWith(junk);
    EXPECT_EQ(Read(ini, "Synth", "Known"), kAbsent);
    EXPECT_EQ(Read(ini, "", "x"), kAbsent);
    ASSERT_TRUE(WriteProfileString(ini, "Synth", "Known", "yes"));
    EXPECT_EQ(Read(ini, "Synth", "Known"), "yes");
}

TEST_F(ProfileIniHostileFile, AMegabyteLineIsCutLikeAnyValue)
{
    const std::string megabyte(1 << 20, 'x');
    const std::string ini = IniWith("[Synth]\r\nLong=" + megabyte + "\r\nAfter=1\r\n");
    EXPECT_EQ(Read(ini, "Synth", "Long"), std::string(63, 'x'));
    EXPECT_EQ(Read(ini, "Synth", "After"), "1");
    ASSERT_TRUE(WriteProfileString(ini, "Synth", "After", "2"));
    EXPECT_EQ(Read(ini, "Synth", "After"), "2");
    EXPECT_EQ(Read(ini, "Synth", "Long", 259), std::string(258, 'x'));
    EXPECT_GT(ReadBytes(ini).size(), megabyte.size());
}

TEST_F(ProfileIniHostileFile, NamesUpTo32766CharactersWorkLongerOnesAreRefused)
{
    // Windows cannot look longer names up: it would list names or delete keys instead.
    const std::string longest(32766, 'k');
    const std::string tooLong(1 << 20, 'k');
    const std::string ini = IniWith("[" + longest + "]\nk=1\n[Synth]\n" + longest + "=2\n" + tooLong + "=3\nk=4\n");
    EXPECT_EQ(Read(ini, longest.c_str(), "k"), "1");
    EXPECT_EQ(Read(ini, "Synth", longest.c_str()), "2");
    EXPECT_EQ(Read(ini, "Synth", tooLong.c_str()), "");
    EXPECT_EQ(Read(ini, tooLong.c_str(), "k"), "");
    EXPECT_EQ(Read(ini, "Synth", "k"), "4");

    EXPECT_TRUE(WriteProfileString(ini, longest.c_str(), "k", longest.c_str()));
    EXPECT_EQ(Read(ini, longest.c_str(), "k", 40000), longest);
    EXPECT_FALSE(WriteProfileString(ini, tooLong.c_str(), "k", "5"));
    EXPECT_FALSE(WriteProfileString(ini, "Synth", tooLong.c_str(), "5"));
    EXPECT_FALSE(WriteProfileString(ini, "Synth", "k", tooLong.c_str()));
    EXPECT_FALSE(ClearProfileSection(ini, tooLong.c_str()));
    EXPECT_EQ(Read(ini, "Synth", "k"), "4");
    EXPECT_EQ(Read(ini, "Synth", longest.c_str()), "2");
}

TEST_F(ProfileIniHostileFile, ANulByteEndsANameOrValue)
{
    using namespace std::string_literals;
    const std::string ini = IniWith("[n]\r\nk=a\0b\r\nj=2\r\nk\0x=3\r\n[m\0junk]\r\nz=4\r\n"s);
    EXPECT_EQ(Read(ini, "n", "k"), "a");
    EXPECT_EQ(Read(ini, "n", "j"), "2");
    EXPECT_EQ(Read(ini, "m", "z"), "4");
}

TEST_F(ProfileIniHostileFile, ThousandsOfSectionsAndKeysStayUsable)
{
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "[S" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
    for (int i = 0; i < 20000; ++i)
        text += "key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    const std::string ini = IniWith(text);
    EXPECT_EQ(Read(ini, "s19999", "K"), "19999");
    EXPECT_EQ(Read(ini, "S19999", "key19999"), "19999");
    ASSERT_TRUE(WriteProfileString(ini, "S0", "k", "first"));
    ASSERT_TRUE(WriteProfileString(ini, "S19999", "key20000", "last"));
    EXPECT_EQ(Read(ini, "S0", "k"), "first");
    EXPECT_EQ(Read(ini, "S19999", "key20000"), "last");
    EXPECT_EQ(Read(ini, "S10000", "k"), "10000");
}

}  // namespace
