#include "platform/Module.h"

#include <windows.h>

namespace orv::platform {

// The module that contains this function: the plug-in DLL when linked into
// it, so its resources are found even in a host with many plug-ins.
void* ModuleHandle()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ModuleHandle), &module);
    return reinterpret_cast<void*>(module);
}

}  // namespace orv::platform
