#include "platform/Module.h"

#include <dlfcn.h>

namespace orv::platform {

namespace {
int anchor;  // any symbol inside this library
}

void* ModuleHandle()
{
    Dl_info info = {};
    return dladdr(&anchor, &info) != 0 ? info.dli_fbase : nullptr;
}

}  // namespace orv::platform
