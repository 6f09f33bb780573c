#include "../Module.h"

#include <windows.h>

namespace {
HINSTANCE moduleInstance = nullptr;
}

// Windows calls this when the library is attached; the instance handle is
// where the library's resources are found.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/)
{
    moduleInstance = instance;
    return TRUE;
}

namespace platform {

void* ModuleHandle()
{
    return reinterpret_cast<void*>(moduleInstance);
}

}  // namespace platform
