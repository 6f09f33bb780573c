// Program names as typed by users: cut to a byte limit without splitting a
// UTF-8 sequence, with bytes that are no UTF-8 replaced.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orv::instrument {

// At most maxBytes of text, ending on a whole character; every byte that
// starts no valid UTF-8 character (and every control character) becomes '?'.
std::string CleanProgramName(std::string_view text, size_t maxBytes);

}  // namespace orv::instrument
