// The plug-in library loaded the way a host loads it, and one effect of it
// with its own scripted host.
#pragma once

#include "tests/host/ScriptedHost.h"

#include "framework/VstAbi.h"
#include "tools/hostkit/PluginModule.h"

#include <string>

namespace hosttest {

// The plug-in under test: the ORV_PLUGIN environment variable when set, else
// the path the build wrote in.
std::string PluginPath();

// The library, loaded once per test program; Error() says why when it failed.
orv::hostkit::PluginModule& PluginLibrary();

class HostedPlugin {
public:
    // A new effect through VSTPluginMain, adopted by host. Not yet opened.
    HostedPlugin();
    // Through another module's entry point (a second load of the library).
    explicit HostedPlugin(orv::hostkit::PluginModule& module);
    ~HostedPlugin();
    HostedPlugin(const HostedPlugin&) = delete;
    HostedPlugin& operator=(const HostedPlugin&) = delete;

    intptr_t Dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);
    // effOpen, sample rate, block size, mains on: what every host does first.
    void Start(float sampleRate = 44100.0f, int32_t blockSize = 64);
    void Close();

    ScriptedHost host;
    orv::framework::vst::AEffect* effect = nullptr;
    std::string error;  // why effect is null
};

}  // namespace hosttest

// Stops a test whose plug-in could not be loaded, saying why.
#define ASSERT_LOADED(plugin) ASSERT_NE((plugin).effect, nullptr) << (plugin).error
