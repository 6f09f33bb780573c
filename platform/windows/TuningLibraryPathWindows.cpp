#include "platform/TuningLibraryPath.h"

#include <windows.h>

namespace orv::platform {

std::string TuningLibraryPath()
{
    char folder[260] = {};
    const UINT length = GetSystemDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder)
        return "";
    return std::string(folder) + "\\LIBMTS.dll";
}

}  // namespace orv::platform
