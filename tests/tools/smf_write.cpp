// Writes a Standard MIDI File from a text description on standard input, so
// the orvhost tests can say in a few readable lines what a file holds,
// malformed files included:
//
//   header FORMAT TRACKS DIVISION   an "MThd" chunk (DIVISION may be hex: 0xe728)
//   track                           starts an "MTrk" chunk; its length is
//                                   counted when the next one starts or at the end
//   DELTA XX XX ...                 a delta time (written as a variable-length
//                                   number) and then the bytes, in hex
//   bytes XX XX ...                 bytes without a delta time
//   # ...                           a comment; empty lines are skipped
//
//   smf_write OUT < description
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutVariableLength(std::vector<uint8_t>& out, uint32_t value)
{
    uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<uint8_t>(value & 0x7f);
        value >>= 7;
    } while (value != 0);
    while (count > 0) {
        --count;
        out.push_back(static_cast<uint8_t>(groups[count] | (count > 0 ? 0x80 : 0)));
    }
}

bool PutHexBytes(std::istringstream& words, std::vector<uint8_t>& out)
{
    std::string word;
    while (words >> word) {
        if (word.size() != 2 || word.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return false;
        out.push_back(static_cast<uint8_t>(std::stoul(word, nullptr, 16)));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: smf_write OUT < description\n");
        return 2;
    }
    std::vector<uint8_t> file;
    size_t trackStart = 0;
    bool inTrack = false;
    auto closeTrack = [&] {
        if (!inTrack)
            return;
        const auto length = static_cast<uint32_t>(file.size() - trackStart - 8);
        for (int i = 0; i < 4; ++i)
            file[trackStart + 4 + static_cast<size_t>(i)] = static_cast<uint8_t>(length >> (24 - 8 * i));
        inTrack = false;
    };

    std::string line;
    int number = 0;
    while (std::getline(std::cin, line)) {
        ++number;
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string first;
        if (!(words >> first))
            continue;
        bool ok = true;
        if (first == "header") {
            unsigned format = 0, tracks = 0;
            std::string division;
            ok = static_cast<bool>(words >> format >> tracks >> division);
            if (ok) {
                const auto value = static_cast<unsigned>(std::stoul(division, nullptr, 0));
                file.insert(file.end(), {'M', 'T', 'h', 'd'});
                Put32(file, 6);
                for (unsigned field : {format, tracks, value}) {
                    file.push_back(static_cast<uint8_t>(field >> 8));
                    file.push_back(static_cast<uint8_t>(field));
                }
            }
        } else if (first == "track") {
            closeTrack();
            trackStart = file.size();
            file.insert(file.end(), {'M', 'T', 'r', 'k', 0, 0, 0, 0});
            inTrack = true;
        } else if (first == "bytes") {
            ok = PutHexBytes(words, file);
        } else {
            ok = first.find_first_not_of("0123456789") == std::string::npos;
            if (ok) {
                PutVariableLength(file, static_cast<uint32_t>(std::stoul(first)));
                ok = PutHexBytes(words, file);
            }
        }
        if (!ok) {
            std::fprintf(stderr, "smf_write: line %d is not understood: %s\n", number, line.c_str());
            return 2;
        }
    }
    closeTrack();

    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr || std::fwrite(file.data(), 1, file.size(), out) != file.size() || std::fclose(out) != 0) {
        std::fprintf(stderr, "smf_write: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
