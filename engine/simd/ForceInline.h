// The lane code is forced inline: a call would pass the vectors through
// memory and break the dependency chains the processor overlaps.
#pragma once

#define ORV_LANE_INLINE inline __attribute__((always_inline))
#define ORV_LANE_INLINE_LAMBDA __attribute__((always_inline))

namespace orv::engine {}  // namespace orv::engine
