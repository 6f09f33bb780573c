// Numbers as the plug-in shows and reads them: always with "." as the
// decimal separator, whatever locale the host runs in. Hosts built on Qt or
// GTK adopt the user's locale, so the C library's own formatting and parsing
// cannot be used here.
#pragma once

#include <cstddef>

namespace orv::framework {

// value with a fixed number of decimals, as printf's "%.*f" in the C locale
// (truncated to capacity, always terminated).
void FormatFixed(double value, int decimals, char* text, size_t capacity);

// The leading number of text, as strtod reads it in the C locale: white
// space, a sign, decimal or "0x" hexadecimal digits, an exponent, "inf".
// Text without a number, and "nan", read as 0. Magnitudes beyond a double's
// range read as infinity, those below it as 0.
double ParseNumber(const char* text);

}  // namespace orv::framework
