#include "platform/TuningLibraryPath.h"

namespace orv::platform {

std::string TuningLibraryPath()
{
    return "/usr/local/lib/libMTS.so";
}

}  // namespace orv::platform
