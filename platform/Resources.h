// Data built into the plug-in library itself (the factory bank, the skin
// images), found by resource type and name or number as on Windows.
#pragma once

#include <cstddef>

namespace orv::platform {

struct ResourceBytes {
    const unsigned char* data = nullptr;
    size_t size = 0;
};

// True and the bytes when the library holds a resource of this type and
// name; the bytes stay valid for the life of the library.
bool FindLibraryResource(const char* type, const char* name, ResourceBytes& bytes);
bool FindLibraryResource(const char* type, int id, ResourceBytes& bytes);

}  // namespace orv::platform
