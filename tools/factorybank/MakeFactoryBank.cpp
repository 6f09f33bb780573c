// Builds the factory bank image that the plug-in carries inside itself from
// the readable program table.
//
//   make_factory_bank resources/factory-programs.tsv resources/factory-bank.fxb
//
// The image is an FXB bank of the chunk kind: a big-endian file header, then
// the bank chunk: "tffp", the framework version, and per program its name,
// an initialised byte and a program state ("ORV_2.0.0", program index, name,
// twelve doubles; all little-endian).
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kPrograms = 64;
constexpr int kParameters = 12;
// Programs of the morphing family carry their own index and name in their
// states; the others were all saved while program 44 was current.
constexpr int kFirstMorphProgram = 32;
constexpr int kLastMorphProgram = 47;
constexpr int kSavedWhileCurrent = 44;

struct Program {
    std::string name;
    double values[kParameters] = {};
};

class Bytes {
public:
    void LittleInt32(int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xff));
    }
    void BigInt32(int32_t v)
    {
        for (int i = 3; i >= 0; --i)
            data.push_back(static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xff));
    }
    void LittleDouble(double v)
    {
        uint64_t bits = 0;
        std::memcpy(&bits, &v, 8);
        for (int i = 0; i < 8; ++i)
            data.push_back(static_cast<char>((bits >> (8 * i)) & 0xff));
    }
    void Text(const std::string& text) { data.append(text); }
    void Byte(uint8_t b) { data.push_back(static_cast<char>(b)); }
    void Append(const Bytes& other) { data.append(other.data); }
    size_t Size() const { return data.size(); }

    std::string data;
};

bool ParseValue(const std::string& text, double& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last;
}

bool ReadTable(const char* path, std::vector<Program>& programs)
{
    std::ifstream in(path);
    if (!in) {
        std::cerr << "make_factory_bank: cannot read " << path << "\n";
        return false;
    }
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> cells;
        std::stringstream split(line);
        std::string cell;
        while (std::getline(split, cell, '\t'))
            cells.push_back(cell);
        Program program;
        if (cells.size() != 2 + kParameters || cells[0] != std::to_string(programs.size())) {
            std::cerr << path << ":" << lineNumber << ": expected program " << programs.size() << ", a name and "
                      << kParameters << " values, tab-separated\n";
            return false;
        }
        program.name = cells[1];
        for (int i = 0; i < kParameters; ++i) {
            if (!ParseValue(cells[static_cast<size_t>(2 + i)], program.values[i])) {
                std::cerr << path << ":" << lineNumber << ": value " << i << " is not a number\n";
                return false;
            }
        }
        programs.push_back(program);
    }
    if (programs.size() != kPrograms) {
        std::cerr << path << ": " << programs.size() << " programs, expected " << kPrograms << "\n";
        return false;
    }
    return true;
}

Bytes BankChunk(const std::vector<Program>& programs)
{
    Bytes chunk;
    chunk.Text("tffp");
    chunk.LittleInt32(0x00010000);
    for (int i = 0; i < kPrograms; ++i) {
        const Program& program = programs[static_cast<size_t>(i)];
        chunk.LittleInt32(static_cast<int32_t>(program.name.size()));
        chunk.Text(program.name);
        chunk.Byte(i == 0 ? 0x46 : 1);
        const bool ownState = i >= kFirstMorphProgram && i <= kLastMorphProgram;
        const int savedIndex = ownState ? i : kSavedWhileCurrent;
        const std::string& savedName = programs[static_cast<size_t>(savedIndex)].name;
        chunk.Text("ORV_2.0.0");
        chunk.LittleInt32(savedIndex);
        chunk.LittleInt32(static_cast<int32_t>(savedName.size()));
        chunk.Text(savedName);
        for (double value : program.values)
            chunk.LittleDouble(value);
    }
    return chunk;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << "usage: make_factory_bank TABLE.tsv OUTPUT.fxb\n"
                     "Builds the plug-in's factory bank image from its program table.\n";
        return 0;
    }
    if (argc != 3) {
        std::cerr << "usage: make_factory_bank TABLE.tsv OUTPUT.fxb\n";
        return 2;
    }
    std::vector<Program> programs;
    if (!ReadTable(argv[1], programs))
        return 1;
    const Bytes chunk = BankChunk(programs);
    Bytes file;
    file.Text("CcnK");
    file.BigInt32(static_cast<int32_t>(chunk.Size() + 160));
    file.Text("FBCh");
    file.BigInt32(2);
    file.Text("ORV1");
    file.BigInt32(20000);
    file.BigInt32(kPrograms);
    file.BigInt32(32);  // the current program when the bank was saved
    for (int i = 0; i < 124; ++i)
        file.Byte(0);
    file.BigInt32(static_cast<int32_t>(chunk.Size()));
    file.Append(chunk);

    std::ofstream out(argv[2], std::ios::binary);
    out.write(file.data.data(), static_cast<std::streamsize>(file.Size()));
    out.close();
    if (!out) {
        std::cerr << "make_factory_bank: cannot write " << argv[2] << "\n";
        return 1;
    }
    std::cout << argv[2] << ": " << file.Size() << " bytes, chunk " << chunk.Size() << " bytes\n";
    return 0;
}
