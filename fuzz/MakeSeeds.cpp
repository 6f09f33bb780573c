// Writes the seed corpora of the fuzz targets from a fresh instance: real
// chunks and files in each format, so fuzzing starts from valid data.
// Usage: MakeSeeds CORPUS_DIR
#include "fuzz/FuzzPlugin.h"

#include <cstdio>
#include <fstream>
#include <string>

using namespace orv::engine;
using namespace orv::framework;
using namespace orv::instrument;
using namespace orv::platform;

namespace {

bool Save(const std::string& path, const void* data, size_t size)
{
    std::ofstream out(path, std::ios::binary);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(out);
}

bool SaveChunk(ORV& plugin, const std::string& path, int32_t index)
{
    vst::AEffect* effect = plugin.Effect();
    void* chunk = nullptr;
    const intptr_t size = effect->dispatcher(effect, vst::effGetChunk, index, 0, &chunk, 0.0f);
    std::string bytes(1, static_cast<char>(index));
    bytes.append(static_cast<const char*>(chunk), static_cast<size_t>(size));
    return size > 0 && Save(path, bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeSeeds CORPUS_DIR\n");
        return 2;
    }
    const std::string root = argv[1];
    ORV& plugin = FuzzPlugin();
    bool ok = SaveChunk(plugin, root + "/FuzzChunk/bank", 0) && SaveChunk(plugin, root + "/FuzzChunk/program", 1);
    ok = ok && plugin.WriteProgramFile((root + "/FuzzProgramFile/program.fxp").c_str());
    ok = ok && plugin.WriteBankFile((root + "/FuzzBankFile/bank.fxb").c_str());
    SerialBuffer script;
    script.PutInt32(3);
    script.PutString("seed");
    script.PutDouble(0.5);
    script.PutBool(true);
    ok = ok && Save(root + "/FuzzSerialBuffer/script", script.Data(), script.Size());
    if (!ok) {
        std::fprintf(stderr, "MakeSeeds: cannot write the seeds under %s\n", root.c_str());
        return 1;
    }
    return 0;
}
