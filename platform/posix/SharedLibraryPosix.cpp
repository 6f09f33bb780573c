#include "platform/SharedLibrary.h"

#include <dlfcn.h>

namespace orv::platform {

SharedLibrary::~SharedLibrary()
{
    Close();
}

bool SharedLibrary::Open(const std::string& path)
{
    Close();
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        error = reason != nullptr ? reason : "cannot load library";
        return false;
    }
    error.clear();
    return true;
}

void SharedLibrary::Close()
{
    if (handle != nullptr) {
        dlclose(handle);
        handle = nullptr;
    }
}

void* SharedLibrary::Symbol(const char* name) const
{
    return handle != nullptr ? dlsym(handle, name) : nullptr;
}

}  // namespace orv::platform
