// A new instrument for a host: the effect record every plug-in format's
// entry point starts from.
#pragma once

#include "framework/VstAbi.h"

namespace orv::instrument {

// Null when the instrument cannot be made. Thread-safe.
framework::vst::AEffect* CreateOrvEffect(framework::vst::HostCallback hostCallback);

}  // namespace orv::instrument
