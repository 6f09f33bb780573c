// A VST 2 plug-in library as a host sees it: the file, its entry point, and
// the effect records it hands out.
#pragma once

#include "framework/VstAbi.h"
#include "platform/SharedLibrary.h"

#include <string>

namespace orv::hostkit {

class PluginModule {
public:
    // Loads the library and finds its entry ("VSTPluginMain", else the
    // older "main"). On failure returns false with a reason in Error().
    bool Load(const std::string& path);

    // Asks the entry point for a new effect; null when the plug-in refuses
    // or returns a record without the VST magic.
    framework::vst::AEffect* Instantiate(framework::vst::HostCallback callback);

    const std::string& Error() const { return error; }
    bool IsLoaded() const { return entry != nullptr; }

private:
    using EntryProc = framework::vst::AEffect* (*)(framework::vst::HostCallback);

    platform::SharedLibrary library;
    EntryProc entry = nullptr;
    std::string error;
};

}  // namespace orv::hostkit
