// FXB bank files: any bytes as a file's content.
#include "fuzz/FuzzPlugin.h"

#include <cstddef>
#include <cstdint>

using namespace orv::engine;
using namespace orv::framework;
using namespace orv::instrument;
using namespace orv::platform;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ORV& plugin = FuzzPlugin();
    SerialBuffer file;
    file.PutBytes(data, size);
    plugin.ReadBankData(file);
    return 0;
}
