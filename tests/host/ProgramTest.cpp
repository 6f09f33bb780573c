// Programs as a user meets them through a host: the factory bank, states
// written by older versions, values out of range, slots that were never
// filled, and program changes sent over MIDI.
#include "tests/host/ChunkBytes.h"
#include "tests/host/HostView.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <sstream>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

using namespace hosttest;
using chunkbytes::Writer;

namespace {

struct FactoryProgram {
    int number = 0;
    std::string name;
    std::vector<double> values;
};

// The readable source the factory bank is generated from.
std::vector<FactoryProgram> FactoryTable()
{
    std::ifstream file(ORV_FACTORY_TABLE);
    std::vector<FactoryProgram> table;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        FactoryProgram program;
        std::string field;
        std::getline(fields, field, '\t');
        program.number = std::stoi(field);
        std::getline(fields, program.name, '\t');
        while (std::getline(fields, field, '\t'))
            program.values.push_back(std::stod(field));
        table.push_back(program);
    }
    return table;
}

Bytes ProgramChunk(const Bytes& state, const std::string& name)
{
    return Writer().Raw(chunkbytes::Header()).Raw(state).String(name).bytes;
}

}  // namespace

TEST(Programs, FactoryBankHoldsTheNamedProgramsThenInit)
{
    const std::vector<FactoryProgram> table = FactoryTable();
    ASSERT_EQ(table.size(), 64u) << ORV_FACTORY_TABLE;
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    ASSERT_EQ(plugin.effect->numPrograms, kPrograms);
    for (const FactoryProgram& program : table) {
        SCOPED_TRACE(program.name);
        ASSERT_EQ(program.values.size(), 12u);
        EXPECT_EQ(ProgramName(plugin, program.number), program.name);
        SelectProgram(plugin, program.number);
        for (int32_t i = 0; i < kParameters; ++i)
            EXPECT_NEAR(Value(plugin, i), Normalised(i, program.values[static_cast<size_t>(i)]), 1e-6) << i;
    }

    // A few rows as the user sees them, independent of the table.
    EXPECT_EQ(ProgramName(plugin, 0), "Ice Palace");
    SelectProgram(plugin, 0);
    EXPECT_EQ(Display(plugin, 0), "-3.8");  // 0.6429
    EXPECT_EQ(Display(plugin, 2), "+100");
    EXPECT_EQ(Display(plugin, 10), "Off");
    EXPECT_EQ(ProgramName(plugin, 33), "XB-EPiano");
    SelectProgram(plugin, 33);
    EXPECT_EQ(Display(plugin, 1), "-36");
    EXPECT_EQ(Display(plugin, 3), "0.8824");
    EXPECT_EQ(Display(plugin, 8), "+17");
    EXPECT_EQ(Display(plugin, 10), "One Shot");
    EXPECT_EQ(Display(plugin, 5), "0.3575");
    EXPECT_EQ(ProgramName(plugin, 47), "XD-Beauty");
    for (int32_t i = 48; i < kPrograms; ++i)
        EXPECT_EQ(ProgramName(plugin, i), "Init") << i;
    SelectProgram(plugin, 63);
    EXPECT_EQ(Values(plugin), NormalisedValues(chunkbytes::DefaultValues()));
}

TEST(Programs, StatesOfOlderVersionsGetDefaultsForTheNewerParameters)
{
    const std::vector<double> seven = {0.9, 0.5, -0.5, 0.25, 0.75, 0.4, 0.6};
    std::vector<double> expected = seven;
    expected.insert(expected.end(), {0.0, 0.0, 0.0, 0.0, 0.3});

    const Bytes states[] = {chunkbytes::OlderState(seven, 3, "Old Name"), chunkbytes::UntaggedState(seven)};
    for (const Bytes& state : states) {
        HostedPlugin plugin;
        ASSERT_LOADED(plugin);
        SelectProgram(plugin, 34);  // "XC-Bell": second point, "Swing", rate 0.7949
        EXPECT_EQ(SetChunk(plugin, 1, ProgramChunk(state, "Upgraded")), 1);
        EXPECT_EQ(Values(plugin), NormalisedValues(expected));
        EXPECT_EQ(ProgramName(plugin, 34), "Upgraded");
    }
}

TEST(Programs, ValuesOutsideTheirRangeAreClampedOnLoading)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> wild = {5.0, -3.0, 7.0, nan, -1.0, 2.0, 0.5, 9.0, -9.0, 9.0, 12.0, -0.5};
    ASSERT_EQ(SetChunk(plugin, 1, ProgramChunk(chunkbytes::CurrentState(wild), "Wild")), 1);
    const char* texts[kParameters] = {"0.0",    "-100", "+100", "0.0000", "0.0000", "1.0000",
                                      "0.5000", "1",    "-100", "+100",   "Swing",  "0.000"};
    for (int32_t i = 0; i < kParameters; ++i)
        EXPECT_EQ(Display(plugin, i), texts[i]) << i;
}

TEST(Programs, AStateMissingItsLastValueIsRefused)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    SelectProgram(plugin, 44);
    const Observation before = Observe(plugin);
    std::vector<double> eleven = chunkbytes::DefaultValues();
    eleven.pop_back();
    EXPECT_EQ(SetChunk(plugin, 1, Writer().Raw(chunkbytes::Header()).Raw(chunkbytes::CurrentState(eleven)).bytes), 0);
    EXPECT_EQ(Observe(plugin), before);
}

TEST(Programs, ASlotNeverFilledBecomesTheNextUserPreset)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    // A bank whose slot 5 holds no state: its flag byte is 0 and the next
    // slot's name follows at once.
    Writer bank;
    bank.Raw(chunkbytes::Header());
    for (int32_t slot = 0; slot < kPrograms; ++slot) {
        const std::string name = slot == 2   ? "user preset 1"
                                 : slot == 9 ? "my user preset x"
                                 : slot == 5 ? "Five"
                                             : "Slot " + std::to_string(slot);
        bank.String(name).Byte(slot == 5 ? 0 : 1);
        if (slot != 5) {
            std::vector<double> values = chunkbytes::DefaultValues();
            values[3] = slot / 100.0;  // Vivid tells the slots apart
            bank.Raw(chunkbytes::CurrentState(values, slot, name));
        }
    }
    ASSERT_EQ(SetChunk(plugin, 0, bank.bytes), 1);
    EXPECT_EQ(ProgramName(plugin, 5), "Five");
    EXPECT_EQ(ProgramName(plugin, 6), "Slot 6");
    SelectProgram(plugin, 6);
    EXPECT_EQ(Display(plugin, 3), "0.0600");

    // Choosing it captures the sound of the moment.
    Set(plugin, 4, 0.5f);
    const std::vector<float> sound = Values(plugin);
    SelectProgram(plugin, 5);
    EXPECT_EQ(plugin.Dispatch(vst::effGetProgram), 5);
    EXPECT_EQ(ProgramName(plugin, 5), "user preset 3");
    EXPECT_EQ(Values(plugin), sound);
    SelectProgram(plugin, 0);
    SelectProgram(plugin, 5);
    EXPECT_EQ(Values(plugin), sound);
}

TEST(Programs, MidiProgramChangesSelectExistingPrograms)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start();
    EventBatch change;
    change.Midi(0, 0xC3, 33, 0);  // any channel
    Render(plugin, 64, &change);
    EXPECT_EQ(plugin.Dispatch(vst::effGetProgram), 33);
    EXPECT_EQ(Display(plugin, 10), "One Shot");

    EventBatch outside;
    outside.Midi(0, 0xC0, 70, 0).Midi(0, 0xC0, 127, 0);
    Render(plugin, 64, &outside);
    EXPECT_EQ(plugin.Dispatch(vst::effGetProgram), 33);
}

TEST(Programs, ANeverFilledSlotChosenOverMidiKeepsTheSoundItCapturedAndTheBankRestores)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start();
    // Slot 4 still holds the factory program's state but is flagged empty.
    Writer bank;
    bank.Raw(chunkbytes::Header());
    for (int32_t slot = 0; slot < kPrograms; ++slot) {
        const std::string name = "Slot " + std::to_string(slot);
        bank.String(name).Byte(slot == 4 ? 0 : 1);
        if (slot != 4)
            bank.Raw(chunkbytes::CurrentState(chunkbytes::DefaultValues(), slot, name));
    }
    ASSERT_EQ(SetChunk(plugin, 0, bank.bytes), 1);

    Set(plugin, 3, 0.123f);  // Vivid
    for (const uint8_t program : {4, 0, 4}) {
        EventBatch change;
        change.Midi(0, 0xC0, program, 0);
        Render(plugin, 64, &change);
    }
    EXPECT_EQ(plugin.Dispatch(vst::effGetProgram), 4);
    EXPECT_FLOAT_EQ(Value(plugin, 3), 0.123f);

    HostedPlugin restored;
    ASSERT_LOADED(restored);
    ASSERT_EQ(SetChunk(restored, 0, GetChunk(plugin, 0)), 1);
    EXPECT_EQ(ProgramNames(restored), ProgramNames(plugin));
    SelectProgram(restored, 4);
    EXPECT_FLOAT_EQ(Value(restored, 3), 0.123f);
}
