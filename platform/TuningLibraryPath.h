// Where the MTS-ESP tuning library is installed on this system.
#pragma once

#include <string>

namespace platform {

std::string TuningLibraryPath();

}  // namespace platform
