// Program (FXP) and bank (FXB) files the instrument writes and reads itself,
// in both the chunk form it writes and the parameter form other tools write;
// and files that are short, damaged or meant for something else.
#include "tests/instrument/InstrumentView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>

using namespace orv::engine;
using namespace orv::framework;
using namespace orv::instrument;
using namespace orv::platform;

using namespace instrumenttest;

namespace {

constexpr int32_t kPluginId = ('O' << 24) | ('R' << 16) | ('V' << 8) | '1';

Bytes ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

int32_t BigInt32(const Bytes& bytes, size_t at)
{
    return static_cast<int32_t>((uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) |
                                (uint32_t{bytes[at + 2]} << 8) | uint32_t{bytes[at + 3]});
}

std::string FourCC(const Bytes& bytes, size_t at)
{
    return std::string(bytes.begin() + static_cast<ptrdiff_t>(at), bytes.begin() + static_cast<ptrdiff_t>(at) + 4);
}

// Big-endian fields, as FXP and FXB headers hold them.
class FileWriter {
public:
    FileWriter& Tag(const char* four)
    {
        bytes.insert(bytes.end(), four, four + 4);
        return *this;
    }
    FileWriter& Int32(int32_t value)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> shift));
        return *this;
    }
    FileWriter& Float(float value)
    {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, 4);
        return Int32(static_cast<int32_t>(bits));
    }
    FileWriter& Name(const std::string& name)
    {
        char field[28] = {};
        std::memcpy(field, name.data(), std::min<size_t>(name.size(), 28));
        bytes.insert(bytes.end(), field, field + 28);
        return *this;
    }
    FileWriter& Zeros(size_t count)
    {
        bytes.insert(bytes.end(), count, 0);
        return *this;
    }
    FileWriter& Raw(const Bytes& more)
    {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return *this;
    }
    Bytes bytes;
};

// One program of the parameter form: normalised values as floats.
Bytes ParameterProgram(const std::string& name, const std::vector<float>& values, const char* magic = "FxCk",
                       int32_t version = 1, int32_t parameterCount = 12)
{
    FileWriter file;
    file.Tag("CcnK").Int32(0).Tag(magic).Int32(version).Int32(kPluginId).Int32(20000).Int32(parameterCount).Name(name);
    for (float value : values)
        file.Float(value);
    return file.bytes;
}

// A bank of the program-list form holding the given records.
Bytes ParameterBank(const std::vector<Bytes>& records, int32_t programCount, int32_t currentProgram,
                    int32_t version = 2)
{
    FileWriter file;
    file.Tag("CcnK").Int32(0).Tag("FxBk").Int32(version).Int32(kPluginId).Int32(20000).Int32(programCount);
    file.Int32(currentProgram).Zeros(124);
    for (const Bytes& record : records)
        file.Raw(record);
    return file.bytes;
}

std::vector<float> NumberedValues(int n)
{
    return {0.5f, 0.25f, 0.75f, n / 100.0f, 0.1f, 0.2f, 0.3f, 0.0f, 0.5f, 0.5f, 1.0f, 0.4f};
}

std::vector<Bytes> NumberedRecords(int count)
{
    std::vector<Bytes> records;
    for (int i = 0; i < count; ++i)
        records.push_back(ParameterProgram("Bank " + std::to_string(i), NumberedValues(i)));
    return records;
}

void SetValue(InstrumentFixture& fixture, int index, float normalised)
{
    fixture.effect->setParameter(fixture.effect, index, normalised);
}

void Rename(InstrumentFixture& fixture, std::string name)
{
    fixture.Dispatch(vst::effSetProgramName, 0, 0, name.data());
}

class PresetFiles : public ::testing::Test {
protected:
    std::filesystem::path File(const std::string& name) const { return fixture.settings.Path() / name; }
    bool ReadProgram(const Bytes& bytes)
    {
        WriteFile(File("in.fxp"), bytes);
        return plugin.ReadProgramFile(File("in.fxp").string().c_str());
    }
    bool ReadBank(const Bytes& bytes)
    {
        WriteFile(File("in.fxb"), bytes);
        return plugin.ReadBankFile(File("in.fxb").string().c_str());
    }

    InstrumentFixture fixture;
    ORV& plugin = *fixture.plugin;
};

}  // namespace

TEST_F(PresetFiles, AProgramFileKeepsTheProgramAndItsName)
{
    plugin.SwitchProgram(2);
    SetValue(fixture, 3, 0.9f);
    SetValue(fixture, 10, 1.0f);
    Rename(fixture, "My Flute");
    const std::vector<double> saved = LiveValues(plugin);
    const std::string path = File("flute.fxp").string();
    ASSERT_TRUE(plugin.WriteProgramFile(path.c_str()));

    const Bytes file = ReadFile(path);
    ASSERT_GT(file.size(), 68u);
    EXPECT_EQ(FourCC(file, 0), "CcnK");
    EXPECT_EQ(BigInt32(file, 4), static_cast<int32_t>(file.size()));
    EXPECT_EQ(FourCC(file, 8), "FPCh");
    EXPECT_EQ(BigInt32(file, 12), 1);
    EXPECT_EQ(BigInt32(file, 16), kPluginId);
    EXPECT_EQ(BigInt32(file, 20), 20000);
    EXPECT_EQ(BigInt32(file, 24), 12);
    EXPECT_STREQ(reinterpret_cast<const char*>(file.data() + 28), "My Flute");
    EXPECT_EQ(BigInt32(file, 56), static_cast<int32_t>(file.size() - 60));
    EXPECT_EQ(FourCC(file, 60), "tffp");

    // Loaded into another program, it takes that program's place.
    plugin.SwitchProgram(7);
    const std::vector<std::string> namesBefore = ProgramNames(plugin);
    ASSERT_TRUE(plugin.ReadProgramFile(path.c_str()));
    EXPECT_EQ(plugin.CurrentProgram(), 7);
    EXPECT_EQ(LiveValues(plugin), saved);
    EXPECT_STREQ(plugin.GetProgramName(7), "My Flute");
    plugin.SwitchProgram(8);
    plugin.SwitchProgram(7);
    EXPECT_EQ(LiveValues(plugin), saved);
    for (int i = 0; i < plugin.ProgramCount(); ++i) {
        if (i != 7) {
            EXPECT_EQ(plugin.GetProgramName(i), namesBefore[static_cast<size_t>(i)]) << i;
        }
    }
}

TEST_F(PresetFiles, LongNamesAreCutToFitTheFile)
{
    Rename(fixture, std::string(40, 'x'));
    const std::string path = File("long.fxp").string();
    ASSERT_TRUE(plugin.WriteProgramFile(path.c_str()));
    EXPECT_EQ(ReadFile(path)[55], 0);
    ASSERT_TRUE(plugin.ReadProgramFile(path.c_str()));
    EXPECT_EQ(std::string(plugin.GetProgramName(0)), std::string(27, 'x'));

    // A name filling all 28 bytes of a file written elsewhere is read whole.
    ASSERT_TRUE(ReadProgram(ParameterProgram(std::string(28, 'y'), NumberedValues(1))));
    EXPECT_EQ(std::string(plugin.GetProgramName(0)), std::string(28, 'y'));
}

TEST_F(PresetFiles, ABankFileCarriesEveryProgramToAnotherInstance)
{
    plugin.SwitchProgram(3);
    SetValue(fixture, 4, 0.8f);
    Rename(fixture, "Airy");
    plugin.SwitchProgram(60);
    SetValue(fixture, 1, 0.1f);
    plugin.SwitchProgram(12);
    plugin.ModifyCurrentPreset(nullptr);  // what the menu does before saving
    const std::string path = File("bank.fxb").string();
    ASSERT_TRUE(plugin.WriteBankFile(path.c_str()));

    const Bytes file = ReadFile(path);
    ASSERT_GT(file.size(), 168u);
    EXPECT_EQ(FourCC(file, 0), "CcnK");
    EXPECT_EQ(BigInt32(file, 4), static_cast<int32_t>(file.size()));
    EXPECT_EQ(FourCC(file, 8), "FBCh");
    EXPECT_EQ(BigInt32(file, 12), 2);
    EXPECT_EQ(BigInt32(file, 16), kPluginId);
    EXPECT_EQ(BigInt32(file, 20), 20000);
    EXPECT_EQ(BigInt32(file, 24), 64);
    EXPECT_EQ(BigInt32(file, 28), 12);
    EXPECT_EQ(Bytes(file.begin() + 32, file.begin() + 156), Bytes(124, 0));
    EXPECT_EQ(BigInt32(file, 156), static_cast<int32_t>(file.size() - 160));
    EXPECT_EQ(FourCC(file, 160), "tffp");

    InstrumentFixture other;
    ASSERT_TRUE(other.plugin->ReadBankFile(path.c_str()));
    EXPECT_EQ(ProgramNames(*other.plugin), ProgramNames(plugin));
    EXPECT_EQ(ProgramValues(*other.plugin), ProgramValues(plugin));
}

TEST_F(PresetFiles, ParameterFormsFromOtherToolsAreRead)
{
    const std::vector<float> values = {0.25f, 0.75f, 0.5f, 0.1f, 0.2f, 0.3f, 0.4f, 0.0f, 0.5f, 0.5f, 0.5f, 0.9f};
    plugin.SwitchProgram(4);
    ASSERT_TRUE(ReadProgram(ParameterProgram("Hand Made", values)));
    EXPECT_STREQ(plugin.GetProgramName(4), "Hand Made");
    for (int i = 0; i < 12; ++i) {
        const double expected = i == 10 ? 2.0 / 3.0 : values[static_cast<size_t>(i)];  // 1.5 steps to 2
        EXPECT_NEAR(plugin.GetParameter(i).GetNormalised(), expected, 1e-7) << i;
    }

    // A bank's own version field is not checked.
    for (int32_t version : {2, 1, 99}) {
        ASSERT_TRUE(ReadBank(ParameterBank(NumberedRecords(64), 64, 9, version))) << version;
        EXPECT_EQ(plugin.CurrentProgram(), 9);
        for (int i = 0; i < 64; ++i)
            ASSERT_EQ(plugin.GetProgramName(i), "Bank " + std::to_string(i));
        EXPECT_NEAR(plugin.GetParameter(3).value, 0.09, 1e-7);
        plugin.SwitchProgram(63);
        EXPECT_NEAR(plugin.GetParameter(3).value, 0.63, 1e-7);
    }
}

TEST_F(PresetFiles, FilesForOtherVersionsOrOtherPlugInsAreRefused)
{
    const std::string good = File("good.fxp").string();
    ASSERT_TRUE(plugin.WriteProgramFile(good.c_str()));
    const Bytes program = ReadFile(good);
    const std::string goodBank = File("good.fxb").string();
    ASSERT_TRUE(plugin.WriteBankFile(goodBank.c_str()));
    const Bytes bank = ReadFile(goodBank);
    plugin.SwitchProgram(17);
    SetValue(fixture, 3, 0.123f);
    const Observation before = Observe(plugin);

    auto changed = [](Bytes bytes, size_t at, const char* four) {
        std::memcpy(bytes.data() + at, four, 4);
        return bytes;
    };
    const Bytes badPrograms[] = {
        changed(program, 12, "\0\0\0\2"),  // version 2
        changed(program, 0, "CcnX"),      changed(program, 8, "FBCh"),
        changed(program, 16, "ORV2"),     ParameterProgram("Wrong", NumberedValues(0), "FxCk", 2),
    };
    for (const Bytes& bytes : badPrograms) {
        EXPECT_FALSE(ReadProgram(bytes));
        EXPECT_EQ(Observe(plugin), before);
    }
    const Bytes badBanks[] = {changed(bank, 0, "CcnX"), changed(bank, 8, "FPCh"), changed(bank, 16, "ORV2")};
    for (const Bytes& bytes : badBanks) {
        EXPECT_FALSE(ReadBank(bytes));
        EXPECT_EQ(Observe(plugin), before);
    }
    for (const std::string& path : {std::string(), File("missing.fxb").string(), fixture.settings.Path().string()}) {
        EXPECT_FALSE(plugin.ReadProgramFile(path.c_str())) << path;
        EXPECT_FALSE(plugin.ReadBankFile(path.c_str())) << path;
        EXPECT_EQ(Observe(plugin), before);
    }
    EXPECT_FALSE(plugin.WriteProgramFile(""));
    EXPECT_FALSE(plugin.WriteBankFile((fixture.settings.Path() / "no folder" / "x.fxb").string().c_str()));

    // Any version field of a bank is accepted.
    EXPECT_TRUE(ReadBank(changed(bank, 12, "\0\0\0\7")));
}

TEST_F(PresetFiles, ShortProgramFilesLoadWholeOrNotAtAll)
{
    plugin.SwitchProgram(40);
    const std::string path = File("whole.fxp").string();
    ASSERT_TRUE(plugin.WriteProgramFile(path.c_str()));
    const Bytes program = ReadFile(path);
    plugin.SwitchProgram(41);
    const Observation before = Observe(plugin);
    for (size_t length = 0; length < program.size(); ++length) {
        ASSERT_FALSE(ReadProgram(Bytes(program.begin(), program.begin() + static_cast<ptrdiff_t>(length)))) << length;
        ASSERT_EQ(Observe(plugin), before) << length;
    }

    // The parameter form applies the values that are there.
    const Bytes full = ParameterProgram("Short", std::vector<float>(12, 1.0f));
    for (size_t length = 0; length < full.size(); ++length) {
        for (int i = 0; i < 12; ++i)
            SetValue(fixture, i, 0.0f);
        const bool read = ReadProgram(Bytes(full.begin(), full.begin() + static_cast<ptrdiff_t>(length)));
        ASSERT_EQ(read, length >= 56) << length;
        const size_t present = length < 56 ? 0 : (length - 56) / 4;
        for (size_t i = 0; i < 12; ++i)
            ASSERT_EQ(plugin.GetParameter(static_cast<int>(i)).GetNormalised(), i < present ? 1.0 : 0.0)
                << length << " " << i;
    }
}

TEST_F(PresetFiles, ShortBankFilesChangeNothing)
{
    const std::string path = File("whole.fxb").string();
    ASSERT_TRUE(plugin.WriteBankFile(path.c_str()));
    const Bytes chunkBank = ReadFile(path);
    const Bytes listBank = ParameterBank(NumberedRecords(64), 64, 3);
    plugin.SwitchProgram(22);
    SetValue(fixture, 5, 0.9f);
    const Observation before = Observe(plugin);
    for (const Bytes* bank : {&chunkBank, &listBank}) {
        for (size_t length = 0; length < bank->size(); length += length < 160 || bank->size() - length < 160 ? 1 : 97) {
            ASSERT_FALSE(ReadBank(Bytes(bank->begin(), bank->begin() + static_cast<ptrdiff_t>(length)))) << length;
            ASSERT_EQ(Observe(plugin), before) << length;
        }
    }
}

TEST_F(PresetFiles, ABadRecordInTheMiddleOfABankChangesNothing)
{
    plugin.SwitchProgram(30);
    const Observation before = Observe(plugin);
    std::vector<Bytes> records = NumberedRecords(64);
    const Bytes badRecords[] = {
        ParameterProgram("Bad", NumberedValues(0), "FxBk"),
        ParameterProgram("Bad", NumberedValues(0), "FxCk", 2),
        ParameterProgram("Bad", std::vector<float>(11, 0.5f), "FxCk", 1, 11),
        ParameterProgram("Bad", {0.5f, 0.5f, std::numeric_limits<float>::quiet_NaN(), 0.5f, 0.5f, 0.5f, 0.5f, 0.5f,
                                 0.5f, 0.5f, 0.5f, 0.5f}),
    };
    for (const Bytes& bad : badRecords) {
        records[31] = bad;
        EXPECT_FALSE(ReadBank(ParameterBank(records, 64, 0)));
        EXPECT_EQ(Observe(plugin), before);
    }
}

TEST_F(PresetFiles, BanksClaimingMoreProgramsFillOnlyTheSixtyFour)
{
    for (int32_t claimed : {65, 1000, INT_MAX}) {
        ASSERT_TRUE(ReadBank(ParameterBank(NumberedRecords(65), claimed, 63))) << claimed;
        EXPECT_EQ(plugin.CurrentProgram(), 63);
        EXPECT_STREQ(plugin.GetProgramName(63), "Bank 63");
        EXPECT_NEAR(plugin.GetParameter(3).value, 0.63, 1e-7);
    }
}
