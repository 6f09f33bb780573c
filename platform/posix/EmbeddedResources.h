// The table of files linked into the library, generated at build time.
#pragma once

#include <cstddef>

namespace orv::platform {

struct EmbeddedResource {
    const char* type;
    const char* name;  // null for numbered resources
    int id;
    const unsigned char* data;
    size_t size;
};

extern const EmbeddedResource kEmbeddedResources[];
extern const size_t kEmbeddedResourceCount;

}  // namespace orv::platform
