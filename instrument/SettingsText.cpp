#include "instrument/SettingsText.h"

#include "framework/NumberText.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>

namespace orv::instrument {

bool EqualsIgnoringCase(const std::string& text, const char* other)
{
    size_t i = 0;
    for (; i < text.size() && other[i] != '\0'; ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(other[i])))
            return false;
    return i == text.size() && other[i] == '\0';
}

double ParseSettingNumber(const std::string& text)
{
    return framework::ParseNumber(text.c_str());
}

int32_t TruncateToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    const double whole = std::trunc(value);
    if (whole >= 2147483647.0)
        return INT32_MAX;
    if (whole <= -2147483648.0)
        return INT32_MIN;
    return static_cast<int32_t>(whole);
}

int32_t ParseControllerEntry(const std::string& text)
{
    const char* first = text.data();
    const char* last = first + text.size();
    bool negative = false;
    const char* digits = first;
    if (digits < last && (*digits == '+' || *digits == '-')) {
        negative = *digits == '-';
        ++digits;
    }
    int64_t value = 0;
    for (const char* p = digits; p < last && std::isdigit(static_cast<unsigned char>(*p)); ++p)
        value = std::min<int64_t>(value * 10 + (*p - '0'), INT32_MAX);
    if (negative)
        value = -value;
    if (value != 0 || (!text.empty() && text[0] == '0'))
        return static_cast<int32_t>(value);
    return -1;
}

}  // namespace orv::instrument
