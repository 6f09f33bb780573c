// Where the MTS-ESP tuning library is installed on this system.
#pragma once

#include <string>

namespace orv::platform {

std::string TuningLibraryPath();

}  // namespace orv::platform
