// A plug-in instance for fuzz targets, built directly rather than loaded,
// with a host that answers nothing.
#pragma once

#include "ORV.h"

#include <memory>

inline std::unique_ptr<ORV> MakeFuzzPlugin()
{
    auto plugin = std::make_unique<ORV>(nullptr);
    plugin->FillEmptyPrograms(plugin->ProgramCount());
    return plugin;
}
