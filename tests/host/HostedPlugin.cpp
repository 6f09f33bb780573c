#include "tests/host/HostedPlugin.h"

#include <cstdlib>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

namespace hosttest {

std::string PluginPath()
{
    const char* overridden = std::getenv("ORV_PLUGIN");
    if (overridden != nullptr && overridden[0] != '\0')
        return overridden;
    return ORV_PLUGIN_PATH;
}

orv::hostkit::PluginModule& PluginLibrary()
{
    static orv::hostkit::PluginModule module;
    static const bool loaded = module.Load(PluginPath());
    (void)loaded;
    return module;
}

HostedPlugin::HostedPlugin() : HostedPlugin(PluginLibrary()) {}

HostedPlugin::HostedPlugin(orv::hostkit::PluginModule& module)
{
    if (!module.IsLoaded()) {
        error = module.Error();
        return;
    }
    ScriptedHost::ConstructionScope scope(host);
    effect = module.Instantiate(&ScriptedHost::Callback);
    if (effect == nullptr)
        error = module.Error();
    else
        host.Adopt(effect);
}

HostedPlugin::~HostedPlugin()
{
    Close();
}

intptr_t HostedPlugin::Dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

void HostedPlugin::Start(float sampleRate, int32_t blockSize)
{
    Dispatch(vst::effOpen);
    Dispatch(vst::effSetSampleRate, 0, 0, nullptr, sampleRate);
    Dispatch(vst::effSetBlockSize, 0, blockSize);
    Dispatch(vst::effMainsChanged, 0, 1);
}

void HostedPlugin::Close()
{
    if (effect != nullptr) {
        Dispatch(vst::effClose);
        effect = nullptr;
    }
}

}  // namespace hosttest
