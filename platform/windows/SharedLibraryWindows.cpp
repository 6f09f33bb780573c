#include "platform/SharedLibrary.h"

#include <windows.h>

namespace orv::platform {

SharedLibrary::~SharedLibrary()
{
    Close();
}

bool SharedLibrary::Open(const std::string& path)
{
    Close();
    handle = reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
    if (handle == nullptr) {
        error = "cannot load library (Windows error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    error.clear();
    return true;
}

void SharedLibrary::Close()
{
    if (handle != nullptr) {
        FreeLibrary(reinterpret_cast<HMODULE>(handle));
        handle = nullptr;
    }
}

void* SharedLibrary::Symbol(const char* name) const
{
    if (handle == nullptr)
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle), name));
}

}  // namespace orv::platform
