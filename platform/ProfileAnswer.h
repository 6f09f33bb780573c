// What a read of a settings file hands its caller, once the value (or the
// fallback) is known: the text a caller's buffer of capacity bytes receives
// from the Windows private-profile functions. Internal to the ProfileIni
// service: our own reader and the snapshot answer through it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orv::platform {

// A value quoted at both ends ("..." or '...') loses its quotes; a value cut
// to capacity - 1 characters keeps its opening part.
std::string ProfileAnswer(std::string_view value, size_t capacity);

// The fallback as a value: it loses trailing blanks (all but a first
// character); null reads as empty.
std::string_view ProfileFallback(const char* fallback);

}  // namespace orv::platform
