#include "platform/ProfileAnswer.h"

#include "platform/ProfileIniRules.h"

#include <algorithm>

namespace orv::platform {

// When the buffer is exactly as long as the value without its opening quote,
// Windows (as Wine shows) also drops the value's last character; kept here so
// that every system reads the same text.
std::string ProfileAnswer(std::string_view value, size_t capacity)
{
    capacity = std::min(capacity, kProfileCapacityLimit);
    if (capacity == 0)
        return {};
    const bool quoted =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    if (quoted)
        value.remove_prefix(1);
    std::string result(value.substr(0, capacity - 1));
    if (quoted && capacity >= value.size() && !result.empty())
        result.pop_back();
    return result;
}

std::string_view ProfileFallback(const char* fallback)
{
    if (fallback == nullptr)
        return {};
    std::string_view text = fallback;
    while (text.size() > 1 && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

}  // namespace orv::platform
