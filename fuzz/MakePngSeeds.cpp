// Writes the seed corpus of FuzzPngLoad: a small image of every PNG colour
// type and bit depth, with and without transparency chunks and interlacing,
// made by libpng's own writer.
// Usage: MakePngSeeds CORPUS_DIR   (writes CORPUS_DIR/FuzzPngLoad/*.png)
#include "tests/raster/PngEncoder.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakePngSeeds CORPUS_DIR\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/FuzzPngLoad/";
    for (const NamedPng& sample : PngSamplesOfEveryKind()) {
        const std::vector<uint8_t> bytes = EncodePng(sample.image);
        std::ofstream out(folder + sample.name + ".png", std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (bytes.empty() || !out) {
            std::fprintf(stderr, "MakePngSeeds: cannot write %s%s.png\n", folder.c_str(), sample.name.c_str());
            return 1;
        }
    }
    return 0;
}
