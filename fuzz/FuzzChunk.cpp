// Host chunks: any bytes given to effSetChunk, as a bank or as a program,
// then read back with effGetChunk.
#include "fuzz/FuzzPlugin.h"

#include <cstddef>
#include <cstdint>

using namespace orv::engine;
using namespace orv::framework;
using namespace orv::instrument;
using namespace orv::platform;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    ORV& plugin = FuzzPlugin();
    vst::AEffect* effect = plugin.Effect();
    const int32_t index = data[0] & 1;
    effect->dispatcher(effect, vst::effSetChunk, index, static_cast<intptr_t>(size - 1), const_cast<uint8_t*>(data + 1),
                       0.0f);
    void* chunk = nullptr;
    effect->dispatcher(effect, vst::effGetChunk, index, 0, &chunk, 0.0f);
    for (int i = 0; i < effect->numParams; ++i)
        effect->getParameter(effect, i);
    return 0;
}
