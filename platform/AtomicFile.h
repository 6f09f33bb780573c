// Replacing a file's contents so that a crash or a full disk at any moment
// leaves either the old file or the new one, never a truncated mix.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Writes contents to a new file beside path, flushes it to disk and renames
// it over path, keeping the old file's permissions. A symbolic link at path
// stays a link: the file it points to is replaced. False when anything
// failed (errno tells why on POSIX); path is then untouched.
bool WriteFileAtomically(const std::string& path, std::string_view contents);

}  // namespace platform
