// Replies of the version query: any bytes a web server sends. The verdict
// must be one of the four results, and what the user is shown is text only
// (no control character but line breaks and tabs) and short enough for any
// dialog.
#include "instrument/UpdateCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace orv::editor;
using namespace orv::instrument;
using namespace orv::platform;

namespace {

constexpr size_t kLongestMessage = 256;

bool IsShowable(const std::string& text)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\n' && c != '\t') || byte == 0x7f)
            return false;
    }
    return text.size() <= kLongestMessage;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const UpdateVerdict verdict = JudgeVersionReply(std::string(reinterpret_cast<const char*>(data), size));
    if (verdict.result != 0 && verdict.result != -1 && verdict.result != -3)
        std::abort();
    if (!IsShowable(verdict.message) || !IsShowable(verdict.title))
        std::abort();
    return 0;
}
