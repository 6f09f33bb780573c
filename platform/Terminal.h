// Whether the standard error stream goes to an interactive terminal, which
// decides if a command-line tool redraws a progress line there.
#pragma once

namespace orv::platform {

bool StandardErrorIsTerminal();

}  // namespace orv::platform
