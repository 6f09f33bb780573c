// Chunks as hosts store them in projects: banks and programs moved between
// instances byte for byte, the hosts that only deal in program chunks, older
// and header-less chunks, and chunks that cannot be read.
#include "tests/host/ChunkBytes.h"
#include "tests/host/HostView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

using namespace hosttest;
using chunkbytes::Writer;

namespace {

// Some changes a user makes: edited and renamed programs, live edits.
void EditPrograms(HostedPlugin& plugin)
{
    SelectProgram(plugin, 3);
    Set(plugin, 3, 0.9f);
    Set(plugin, 10, 1.0f);
    RenameProgram(plugin, "Bright Bells");
    SelectProgram(plugin, 60);
    Set(plugin, 1, 0.1f);
    RenameProgram(plugin, "Mine");
    SelectProgram(plugin, 0);
    Set(plugin, 4, 0.33f);
}

bool StartsWithHeader(const Bytes& chunk)
{
    return chunk.size() >= 8 && Bytes(chunk.begin(), chunk.begin() + 8) == chunkbytes::Header();
}

}  // namespace

TEST(Chunks, BankOfAFreshInstanceComesBackIdentical)
{
    HostedPlugin a, b;
    ASSERT_LOADED(a);
    ASSERT_LOADED(b);
    const Bytes bank = GetChunk(a, 0);
    ASSERT_TRUE(StartsWithHeader(bank));
    EXPECT_EQ(SetChunk(b, 0, bank), 1);
    EXPECT_EQ(GetChunk(b, 0), bank);
}

TEST(Chunks, EditedBankMovesEveryProgramToAnotherInstance)
{
    HostedPlugin a, b, c;
    ASSERT_LOADED(a);
    ASSERT_LOADED(b);
    ASSERT_LOADED(c);
    EditPrograms(a);
    ASSERT_EQ(SetChunk(b, 0, GetChunk(a, 0)), 1);

    // Each state also records, for information, the program that was
    // current when it was stored; past that, the bank is stable byte for byte.
    const Bytes again = GetChunk(b, 0);
    ASSERT_EQ(SetChunk(c, 0, again), 1);
    EXPECT_EQ(GetChunk(c, 0), again);

    EXPECT_EQ(ProgramNames(b), ProgramNames(a));
    EXPECT_EQ(ProgramValues(b), ProgramValues(a));
    EXPECT_EQ(Values(b), Values(a));
}

TEST(Chunks, AProgramSavedByOneInstanceRestoresInAnother)
{
    HostedPlugin a, b, fresh;
    ASSERT_LOADED(a);
    ASSERT_LOADED(b);
    ASSERT_LOADED(fresh);
    SelectProgram(a, 5);
    Set(a, 0, 0.8f);
    Set(a, 9, 0.75f);
    Set(a, 10, 1.0f);
    RenameProgram(a, "Pluck");
    const Bytes program = GetChunk(a, 1);
    ASSERT_TRUE(StartsWithHeader(program));

    // The host restores it at the program it was saved from.
    SelectProgram(b, 5);
    EXPECT_EQ(SetChunk(b, 1, program), 1);
    EXPECT_EQ(Values(b), Values(a));
    EXPECT_EQ(ProgramName(b, 5), "Pluck");
    EXPECT_EQ(GetChunk(b, 1), program);

    // Elsewhere it lands in the current program, which keeps it.
    SelectProgram(b, 10);
    EXPECT_EQ(SetChunk(b, 1, program), 1);
    SelectProgram(b, 11);
    SelectProgram(b, 10);
    EXPECT_EQ(Values(b), Values(a));
    EXPECT_EQ(ProgramName(b, 10), "Pluck");
    for (int32_t i : {0, 4, 6, 11, 63})
        EXPECT_EQ(ProgramName(b, i), ProgramName(fresh, i)) << i;
}

TEST(Chunks, HostsThatOnlyKeepProgramChunksGetThemForTheBankRequestToo)
{
    for (const char* vendor : {"Native Instruments", "JUCE VST Host", "native instruments"}) {
        SCOPED_TRACE(vendor);
        HostedPlugin normal, a, b, c;
        ASSERT_LOADED(normal);
        ASSERT_LOADED(a);
        ASSERT_LOADED(b);
        ASSERT_LOADED(c);
        a.host.vendorString = b.host.vendorString = c.host.vendorString = vendor;

        SelectProgram(a, 7);
        Set(a, 3, 0.25f);
        const Bytes program = GetChunk(a, 0);
        EXPECT_EQ(program, GetChunk(a, 1));
        SelectProgram(b, 7);
        EXPECT_EQ(SetChunk(b, 0, program), 1);
        EXPECT_EQ(Values(b), Values(a));
        EXPECT_EQ(GetChunk(b, 0), program);

        // A whole bank from elsewhere is still understood: it is not
        // consumed as one program, so it is read again as a bank.
        EditPrograms(normal);
        EXPECT_EQ(SetChunk(c, 0, GetChunk(normal, 0)), 1);
        EXPECT_EQ(ProgramNames(c), ProgramNames(normal));
        EXPECT_EQ(ProgramValues(c), ProgramValues(normal));
    }
}

TEST(Chunks, AChunkWithoutHeaderIsOneProgramWithAnOptionalName)
{
    HostedPlugin plugin, fresh;
    ASSERT_LOADED(plugin);
    ASSERT_LOADED(fresh);
    SelectProgram(plugin, 2);
    const std::vector<double> values = {0.7, -0.5, 0.5, 0.1, 0.2, 0.3, 0.4, 0.0, 1.0, -1.0, 3.0, 0.9};
    const Bytes named = Writer().Raw(chunkbytes::CurrentState(values, 9, "not this")).String("Raw Program").bytes;
    EXPECT_EQ(SetChunk(plugin, 0, named), 1);
    EXPECT_EQ(Values(plugin), NormalisedValues(values));
    EXPECT_EQ(ProgramName(plugin, 2), "Raw Program");
    EXPECT_EQ(ProgramName(plugin, 9), ProgramName(fresh, 9));

    // Without a name the program keeps its own.
    const std::vector<double> older = {0.25, 0.5, -0.5, 1.0, 0.0, 0.6, 0.7};
    EXPECT_EQ(SetChunk(plugin, 0, chunkbytes::UntaggedState(older)), 1);
    EXPECT_EQ(ProgramName(plugin, 2), "Raw Program");
    EXPECT_EQ(Display(plugin, 0), "-12.0");
    EXPECT_EQ(Display(plugin, 2), "-50");
}

TEST(Chunks, AProgramChunkWithoutNameKeepsTheProgramName)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    SelectProgram(plugin, 1);
    const std::string name = ProgramName(plugin, 1);
    const std::vector<double> values = {1.0, 0.0, 0.0, 0.5, 0.5, 0.5, 0.5, 0.0, 0.0, 0.0, 2.0, 0.5};
    EXPECT_EQ(SetChunk(plugin, 1, Writer().Raw(chunkbytes::Header()).Raw(chunkbytes::CurrentState(values)).bytes), 1);
    EXPECT_EQ(Values(plugin), NormalisedValues(values));
    EXPECT_EQ(ProgramName(plugin, 1), name);
}

TEST(Chunks, TruncatedBanksAreRefusedAndChangeNothing)
{
    HostedPlugin source, plugin;
    ASSERT_LOADED(source);
    ASSERT_LOADED(plugin);
    EditPrograms(source);
    const Bytes bank = GetChunk(source, 0);
    SelectProgram(plugin, 20);
    Set(plugin, 6, 0.05f);
    const Observation before = Observe(plugin);

    for (size_t length = 0; length < bank.size(); length += (length < 300 || bank.size() - length < 300) ? 1 : 97) {
        const Bytes cut(bank.begin(), bank.begin() + static_cast<ptrdiff_t>(length));
        ASSERT_EQ(SetChunk(plugin, 0, cut), 0) << length << " of " << bank.size();
        ASSERT_EQ(Observe(plugin), before) << length << " of " << bank.size();
    }
}

TEST(Chunks, TruncatedProgramsApplyWholeOrChangeNothing)
{
    HostedPlugin source, plugin;
    ASSERT_LOADED(source);
    ASSERT_LOADED(plugin);
    SelectProgram(source, 40);
    RenameProgram(source, "Long enough name");
    const Bytes program = GetChunk(source, 1);
    const std::vector<float> values = Values(source);
    Set(plugin, 0, 0.1f);
    const Observation before = Observe(plugin);

    for (size_t length = 0; length < program.size(); ++length) {
        const Bytes cut(program.begin(), program.begin() + static_cast<ptrdiff_t>(length));
        if (SetChunk(plugin, 1, cut) == 1) {
            // Every value was there; only the trailing name is missing.
            EXPECT_EQ(Values(plugin), values) << length;
            EXPECT_EQ(ProgramName(plugin, 0), before.names[0]) << length;
            ASSERT_EQ(SetChunk(plugin, 0, before.bank), 1);
            Set(plugin, 0, 0.1f);
        }
        ASSERT_EQ(Observe(plugin), before) << length << " of " << program.size();
    }
}

TEST(Chunks, CorruptLengthsAndFlagsAreRefusedAndChangeNothing)
{
    HostedPlugin source, plugin;
    ASSERT_LOADED(source);
    ASSERT_LOADED(plugin);
    const Bytes bank = GetChunk(source, 0);
    Set(plugin, 3, 0.5f);
    const Observation before = Observe(plugin);

    // Slot 0 starts at 8: its name's length, the name, then the flag byte.
    const size_t nameLength = bank[8];
    const size_t flag = 8 + 4 + nameLength;
    struct Damage {
        size_t at;
        std::vector<uint8_t> bytes;
    };
    const Damage damages[] = {
        {8, {0xff, 0xff, 0xff, 0x7f}},                 // name longer than anything
        {8, {0xff, 0xff, 0xff, 0xff}},                 // negative name length
        {8, {0x00, 0x00, 0x01, 0x00}},                 // name running past the end
        {flag, {0x00}},                                // state present but flagged absent
        {flag + 1 + 9 + 4, {0xff, 0xff, 0xff, 0x7f}},  // inner name length of the state
        {flag + 1 + 9 + 4, {0xf0, 0xff, 0xff, 0xff}},
    };
    for (const Damage& damage : damages) {
        Bytes broken = bank;
        std::copy(damage.bytes.begin(), damage.bytes.end(), broken.begin() + static_cast<ptrdiff_t>(damage.at));
        EXPECT_EQ(SetChunk(plugin, 0, broken), 0) << damage.at;
        EXPECT_EQ(Observe(plugin), before) << damage.at;
    }
}

TEST(Chunks, RandomBytesEitherLoadCleanlyOrChangeNothing)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    std::mt19937 random(1234);
    int accepted = 0;
    for (int round = 0; round < 400; ++round) {
        Bytes chunk = round % 2 == 0 ? chunkbytes::Header() : Bytes();
        const size_t size = random() % 600;
        for (size_t i = 0; i < size; ++i)
            chunk.push_back(static_cast<uint8_t>(random() % 4 == 0 ? random() % 4 : random()));
        const Observation before = Observe(plugin);
        if (SetChunk(plugin, round % 3 == 0 ? 1 : 0, chunk) == 0) {
            ASSERT_EQ(Observe(plugin), before) << round;
            continue;
        }
        ++accepted;
        // What was accepted can be saved and restored like anything else.
        HostedPlugin other;
        ASSERT_LOADED(other);
        const Bytes saved = GetChunk(plugin, 0);
        ASSERT_EQ(SetChunk(other, 0, saved), 1) << round;
        ASSERT_EQ(ProgramNames(other), ProgramNames(plugin)) << round;
    }
    // Headerless data of 56 bytes or more reads as the oldest program form.
    EXPECT_GT(accepted, 0);
}

TEST(Chunks, MissingPointersAndImpossibleSizesAreRefused)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    const Observation before = Observe(plugin);
    const Bytes bank = before.bank;
    EXPECT_EQ(plugin.Dispatch(vst::effGetChunk, 0, 0, nullptr), 0);
    EXPECT_EQ(plugin.Dispatch(vst::effGetChunk, 1, 0, nullptr), 0);
    for (int32_t index : {0, 1}) {
        EXPECT_EQ(plugin.Dispatch(vst::effSetChunk, index, static_cast<intptr_t>(bank.size()), nullptr), 0);
        for (intptr_t size : {intptr_t{0}, intptr_t{-1}, intptr_t{-8}, INTPTR_MAX, INTPTR_MIN})
            EXPECT_EQ(plugin.Dispatch(vst::effSetChunk, index, size, const_cast<uint8_t*>(bank.data())), 0) << size;
    }
    EXPECT_EQ(Observe(plugin), before);
}
