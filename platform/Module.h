// The handle of the loaded plug-in library, kept from the moment the
// operating system attaches it, for finding the library's own resources.
#pragma once

namespace orv::platform {

void* ModuleHandle();

}  // namespace orv::platform
