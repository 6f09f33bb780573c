// Whole files in and out as bytes, for preset and MIDI files.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvhost {

// Reads the whole file. Fails, with "cannot read FILE: reason" in error, for
// missing files, folders and files larger than maxBytes.
bool ReadWholeFile(const std::string& path, uintmax_t maxBytes, std::vector<uint8_t>& bytes, std::string& error);

// Writes bytes as the file's new content. A regular file (or a new one) is
// written beside the target under a temporary name and then put in its place,
// so a failed write leaves any old file whole. Anything else (a device such
// as /dev/stdout, a pipe) is written directly: it cannot be replaced.
bool WriteWholeFile(const std::string& path, std::span<const uint8_t> bytes, std::string& error);

}  // namespace orvhost
