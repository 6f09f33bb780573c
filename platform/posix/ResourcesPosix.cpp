#include "platform/Resources.h"

#include "platform/posix/EmbeddedResources.h"

#include <strings.h>

namespace orv::platform {

// Resource types and names compare without regard to case, as on Windows.
bool FindLibraryResource(const char* type, const char* name, ResourceBytes& bytes)
{
    for (size_t i = 0; i < kEmbeddedResourceCount; ++i) {
        const EmbeddedResource& resource = kEmbeddedResources[i];
        if (resource.name != nullptr && strcasecmp(resource.type, type) == 0 && strcasecmp(resource.name, name) == 0) {
            bytes.data = resource.data;
            bytes.size = resource.size;
            return true;
        }
    }
    return false;
}

bool FindLibraryResource(const char* type, int id, ResourceBytes& bytes)
{
    for (size_t i = 0; i < kEmbeddedResourceCount; ++i) {
        const EmbeddedResource& resource = kEmbeddedResources[i];
        if (resource.name == nullptr && resource.id == id && strcasecmp(resource.type, type) == 0) {
            bytes.data = resource.data;
            bytes.size = resource.size;
            return true;
        }
    }
    return false;
}

}  // namespace orv::platform
