// Who orvhost says it is, to plug-ins (audioMasterGetVendorString and friends)
// and to people (--version).
#pragma once

#include <cstdint>

#ifndef ORVHOST_VERSION_MAJOR
#define ORVHOST_VERSION_MAJOR 0
#define ORVHOST_VERSION_MINOR 0
#define ORVHOST_VERSION_PATCH 0
#endif

namespace orv::host {

inline constexpr const char* kHostVendor = "Tarnwick";
inline constexpr const char* kHostProduct = "orvhost";
inline constexpr int32_t kVersionMajor = ORVHOST_VERSION_MAJOR;
inline constexpr int32_t kVersionMinor = ORVHOST_VERSION_MINOR;
inline constexpr int32_t kVersionPatch = ORVHOST_VERSION_PATCH;
// The decimal form VST hosts report: major * 10000 + minor * 100 + patch.
inline constexpr int32_t kHostVendorVersion = kVersionMajor * 10000 + kVersionMinor * 100 + kVersionPatch;
// The VST interface version orvhost implements.
inline constexpr int32_t kHostVstVersion = 2400;

}  // namespace orv::host
