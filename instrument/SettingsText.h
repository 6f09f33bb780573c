// Reading values out of the settings file's text. Numbers always use "." as
// the decimal separator, whatever the host's locale.
#pragma once

#include <cstdint>
#include <string>

namespace orv::instrument {

bool EqualsIgnoringCase(const std::string& text, const char* other);

// The leading number of text, read as the plug-in reads every number (see
// ParseNumber), 0 when there is none. Infinities stay infinite; callers limit
// the range.
double ParseSettingNumber(const std::string& text);

// An integer field from such a number: truncated toward zero, kept in range.
int32_t TruncateToInt32(double value);

// A learned-controller entry: the leading integer when it is non-zero or the
// text starts with "0", otherwise -1 (no binding).
int32_t ParseControllerEntry(const std::string& text);

}  // namespace orv::instrument
