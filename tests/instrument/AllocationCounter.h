// Counts the test program's allocations while counting is on: the program's
// operator new is replaced (AllocationCounter.cpp), so the count covers the
// instrument's code as well as the test's.
#pragma once

namespace instrumenttest {

void CountAllocations(bool on);
long AllocationsCounted();

// Sanitizers make every block of audio many times slower: long loops run
// shorter there and still walk every path.
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define ORV_SANITIZED_BUILD 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define ORV_SANITIZED_BUILD 1
#endif
#if defined(ORV_SANITIZED_BUILD)
inline constexpr bool kSanitizedBuild = true;
#else
inline constexpr bool kSanitizedBuild = false;
#endif

}  // namespace instrumenttest
