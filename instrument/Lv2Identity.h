// The instrument's names in the LV2 world.
#pragma once

namespace orv::instrument {

inline constexpr char kLv2PluginUri[] = "http://www.tarnwick.com/plugins/orv";
inline constexpr char kLv2PanelUri[] = "http://www.tarnwick.com/plugins/orv#ui";
inline constexpr char kLv2BundleName[] = "orv.lv2";
inline constexpr char kLv2BinaryName[] = "orv_lv2.so";

}  // namespace orv::instrument
