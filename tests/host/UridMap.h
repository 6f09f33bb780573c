// A host's URID map and unmap for the LV2 test hosts: one per host, shared
// by every instance it makes, ids from 1 in the order URIs are first asked.
#pragma once

#include <lv2/urid/urid.h>

#include <map>
#include <string>
#include <vector>

namespace hosttest {

class UridMap {
public:
    UridMap() = default;
    // The features point at this object.
    UridMap(const UridMap&) = delete;
    UridMap& operator=(const UridMap&) = delete;

    LV2_URID Map(const char* uri)
    {
        auto [it, added] = ids.emplace(uri, static_cast<LV2_URID>(ids.size() + 1));
        if (added)
            uris.push_back(it->first.c_str());
        return it->second;
    }
    const char* Unmap(LV2_URID id) const { return id >= 1 && id <= uris.size() ? uris[id - 1] : nullptr; }

    LV2_URID_Map map{this, [](LV2_URID_Map_Handle h, const char* uri) { return static_cast<UridMap*>(h)->Map(uri); }};
    LV2_URID_Unmap unmap{this,
                         [](LV2_URID_Unmap_Handle h, LV2_URID id) { return static_cast<UridMap*>(h)->Unmap(id); }};

private:
    std::map<std::string, LV2_URID> ids;
    std::vector<const char*> uris;
};

}  // namespace hosttest
