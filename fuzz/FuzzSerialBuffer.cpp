// The serial buffer's readers: a script of reads at positions taken from the
// input, over the input itself.
#include "framework/SerialBuffer.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

using namespace orv::framework;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SerialBuffer buffer;
    buffer.PutBytes(data, size);
    int position = 0;
    for (size_t step = 0; step < 64 && position >= 0; ++step) {
        const uint8_t op = position < static_cast<int>(size) ? data[position] : static_cast<uint8_t>(step);
        int32_t i = 0;
        double d = 0.0;
        bool b = false;
        std::string s;
        switch (op % 4) {
        case 0:
            position = buffer.GetInt32(position, i);
            break;
        case 1:
            position = buffer.GetDouble(position, d);
            break;
        case 2:
            position = buffer.GetBool(position, b);
            break;
        default:
            position = buffer.GetString(position, s);
            break;
        }
    }
    return 0;
}
