#include "tools/hostkit/PluginModule.h"

namespace orv::hostkit {

bool PluginModule::Load(const std::string& path)
{
    entry = nullptr;
    if (!library.Open(path)) {
        error = path + ": " + library.Error();
        return false;
    }
    void* symbol = library.Symbol("VSTPluginMain");
    if (symbol == nullptr)
        symbol = library.Symbol("main");
    if (symbol == nullptr) {
        error = path + ": not a VST 2 plug-in (no VSTPluginMain or main export)";
        library.Close();
        return false;
    }
    entry = reinterpret_cast<EntryProc>(symbol);
    error.clear();
    return true;
}

framework::vst::AEffect* PluginModule::Instantiate(framework::vst::HostCallback callback)
{
    if (entry == nullptr) {
        error = "no plug-in library loaded";
        return nullptr;
    }
    framework::vst::AEffect* effect = entry(callback);
    if (effect == nullptr) {
        error = "the plug-in's entry point returned no effect";
        return nullptr;
    }
    if (effect->magic != framework::vst::kEffectMagic) {
        error = "the plug-in's entry point returned a record without the VST magic";
        return nullptr;
    }
    return effect;
}

}  // namespace orv::hostkit
