#include "platform/Resources.h"

#include "platform/Module.h"

#include <windows.h>

namespace orv::platform {

namespace {

bool Load(HRSRC found, ResourceBytes& bytes)
{
    HMODULE module = static_cast<HMODULE>(ModuleHandle());
    if (found == nullptr)
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr)
        return false;
    bytes.data = static_cast<const unsigned char*>(data);
    bytes.size = SizeofResource(module, found);
    return true;
}

}  // namespace

bool FindLibraryResource(const char* type, const char* name, ResourceBytes& bytes)
{
    return Load(FindResourceA(static_cast<HMODULE>(ModuleHandle()), name, type), bytes);
}

bool FindLibraryResource(const char* type, int id, ResourceBytes& bytes)
{
    return Load(FindResourceA(static_cast<HMODULE>(ModuleHandle()), MAKEINTRESOURCEA(id), type), bytes);
}

}  // namespace orv::platform
