#include "instrument/OrvEffect.h"

#include "instrument/ORV.h"

#include <algorithm>
#include <mutex>

namespace orv::instrument {

namespace {

std::mutex& EntryLock()
{
    static std::mutex lock;  // created on first use, thread-safely
    return lock;
}

}  // namespace

framework::vst::AEffect* CreateOrvEffect(framework::vst::HostCallback hostCallback)
{
    std::lock_guard<std::mutex> guard(EntryLock());
    ORV* plugin = nullptr;
    try {
        plugin = new ORV(hostCallback);
    } catch (...) {
        return nullptr;
    }
    plugin->FillEmptyPrograms(plugin->ProgramCount());
    framework::vst::AEffect* effect = plugin->Effect();
    effect->numPrograms = std::max(effect->numPrograms, 1);
    return effect;
}

}  // namespace orv::instrument
