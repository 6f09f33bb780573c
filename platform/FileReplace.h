// Putting a finished file in place of another in one step, so that a reader
// never sees a half-written file and a failed write never destroys the old one.
#pragma once

#include <string>

namespace platform {

// Renames from onto to, replacing an existing file. False on failure (from
// is then left where it was).
bool MoveFileReplacing(const std::string& from, const std::string& to);

}  // namespace platform
