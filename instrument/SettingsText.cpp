#include "SettingsText.h"

#include <cctype>
#include <charconv>
#include <algorithm>
#include <climits>
#include <cmath>

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
    const char* first = text.data();
    const char* last = first + text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(*first)))
        ++first;
    bool negative = false;
    if (first < last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    if (first < last && (*first == '+' || *first == '-'))
        return 0.0;  // a second sign is no number
    double value = 0.0;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        value = HUGE_VAL;
    else if (result.ec != std::errc() || std::isnan(value))
        return 0.0;  // "nan" is no number either
    return negative ? -value : value;
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
