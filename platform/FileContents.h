// Reading a file whole, holding no more than a chosen number of bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orv::platform {

enum class FileReadResult {
    Read,     // contents holds the whole file
    Missing,  // nothing exists at the path
    Refused,  // exists but cannot be read whole within the limit (or is not a regular file, where one is required)
};

enum class FileSource {
    // Regular files only, opened without blocking: a pipe or device at the
    // path cannot stall the caller (settings, the plug-in's preset files).
    kRegularFile,
    // Also pipes and devices a user names on a command line (/dev/stdin, a
    // shell's <(...)), read to their end.
    kAnyFile,
};

// A regular file's contents.
FileReadResult ReadWholeFile(const std::string& path, size_t limit, std::string& contents);

// On failure reason holds a few words for a message: "no such file", "is a
// directory", "it is larger than N MiB, too large for this kind of file", or
// the system's own.
FileReadResult ReadWholeFile(const std::string& path, size_t limit, FileSource source, std::vector<uint8_t>& bytes,
                             std::string& reason);

}  // namespace orv::platform
