// The library's VST 2 entry points: the host asks for a new plug-in record here.
#include "instrument/OrvEffect.h"

#if defined(_WIN32)
#define ORV_EXPORT
#else
#define ORV_EXPORT __attribute__((visibility("default")))
#endif

namespace orv::instrument {

extern "C" ORV_EXPORT framework::vst::AEffect* VSTPluginMain(framework::vst::HostCallback hostCallback)
{
    return CreateOrvEffect(hostCallback);
}

#if !defined(_WIN32)
// Older hosts look for "main"; C++ does not let us define a function of that
// name, so the symbol is given it directly. Windows exports it by .def file.
extern "C" ORV_EXPORT framework::vst::AEffect* OrvLegacyMain(framework::vst::HostCallback hostCallback) __asm__("main");
extern "C" framework::vst::AEffect* OrvLegacyMain(framework::vst::HostCallback hostCallback)
{
    return VSTPluginMain(hostCallback);
}
#endif

}  // namespace orv::instrument
