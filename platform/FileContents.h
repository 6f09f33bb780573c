// Reading a small file whole, without ever blocking on a pipe or device or
// holding more than a chosen number of bytes.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

enum class FileReadResult {
    Read,     // contents holds the whole file
    Missing,  // nothing exists at the path
    Refused,  // exists but is not a readable regular file of at most limit bytes
};

FileReadResult ReadWholeFile(const std::string& path, size_t limit, std::string& contents);

}  // namespace platform
