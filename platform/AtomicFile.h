// Replacing a file's contents so that a crash or a full disk at any moment
// leaves either the old file or the new one, never a truncated mix.
#pragma once

#include <string>
#include <string_view>

namespace orv::platform {

// Writes contents to a new file beside path, flushes it to disk and renames
// it over path, keeping the old file's permissions. A symbolic link at path
// stays a link: the file it points to is replaced. False when anything
// failed (errno tells why on POSIX); path is then untouched.
bool WriteFileAtomically(const std::string& path, std::string_view contents);

// For files a user names on a command line: a regular file, or a new one, is
// replaced as above; anything else (a device such as /dev/stdout, a pipe) is
// written directly, since it cannot be replaced. On failure reason holds a
// few words for a message ("is a directory", or the system's own).
bool WriteWholeFile(const std::string& path, std::string_view contents, std::string& reason);

}  // namespace orv::platform
