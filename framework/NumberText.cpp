#include "framework/NumberText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace orv::framework {

namespace {

// Room for any double with up to this many decimals ("%.*f" of 1e308 has 309
// integer digits).
constexpr int kMaxDecimals = 40;
constexpr size_t kFixedBufferSize = 320 + kMaxDecimals;

bool IsDigit(char c, bool hex)
{
    return hex ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Whether a decimal number that overflowed or underflowed a double was too
// large (rather than too small): the position of its first significant
// digit plus its exponent tells.
bool OverflowedUpwards(const char* first, const char* last)
{
    long magnitude = 0;
    bool seenPoint = false;
    bool seenSignificant = false;
    const char* p = first;
    for (; p < last && (std::isdigit(static_cast<unsigned char>(*p)) || *p == '.'); ++p) {
        if (*p == '.') {
            seenPoint = true;
        } else if (!seenSignificant && *p == '0') {
            if (seenPoint)
                --magnitude;
        } else {
            seenSignificant = true;
            if (!seenPoint)
                ++magnitude;
        }
    }
    if (p < last && (*p == 'e' || *p == 'E')) {
        long exponent = 0;
        const char* digits = p + 1;
        bool negative = false;
        if (digits < last && (*digits == '+' || *digits == '-'))
            negative = *digits++ == '-';
        for (; digits < last && std::isdigit(static_cast<unsigned char>(*digits)); ++digits)
            exponent = std::min(exponent * 10 + (*digits - '0'), 1L << 20);
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude > 0;
}

}  // namespace

void FormatFixed(double value, int decimals, char* text, size_t capacity)
{
    if (capacity == 0)
        return;
    char digits[kFixedBufferSize];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed,
                                      std::clamp(decimals, 0, kMaxDecimals));
    const size_t length = result.ec == std::errc() ? static_cast<size_t>(result.ptr - digits) : 0;
    const size_t kept = std::min(length, capacity - 1);
    std::memcpy(text, digits, kept);
    text[kept] = '\0';
}

double ParseNumber(const char* text)
{
    if (text == nullptr)
        return 0.0;
    const char* first = text;
    while (std::isspace(static_cast<unsigned char>(*first)))
        ++first;
    bool negative = false;
    if (*first == '+' || *first == '-')
        negative = *first++ == '-';
    if (*first == '+' || *first == '-')
        return 0.0;  // a second sign is no number
    const char* last = first + std::strlen(first);

    auto format = std::chars_format::general;
    if (first[0] == '0' && (first[1] == 'x' || first[1] == 'X') &&
        (IsDigit(first[2], true) || (first[2] == '.' && IsDigit(first[3], true)))) {
        format = std::chars_format::hex;
        first += 2;
    }
    double value = 0.0;
    const auto result = std::from_chars(first, last, value, format);
    if (result.ec == std::errc::result_out_of_range)
        value = format == std::chars_format::general && !OverflowedUpwards(first, result.ptr) ? 0.0 : HUGE_VAL;
    else if (result.ec != std::errc() || std::isnan(value))
        return 0.0;
    return negative ? -value : value;
}

}  // namespace orv::framework
