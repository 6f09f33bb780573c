// Whether the standard error stream goes to an interactive terminal, which
// decides if a command-line tool redraws a progress line there.
#pragma once

namespace platform {

bool StandardErrorIsTerminal();

}  // namespace platform
