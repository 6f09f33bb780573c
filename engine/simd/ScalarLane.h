// One double as a lane of width one: the operations of LaneVector.h, spelt
// for double and bool, so that the voice's signal flow, written once against
// this vocabulary, also runs one voice at a time.
//
// Internal linkage, as in LaneVector.h: files built for wider instruction
// sets include this header too (through the filters' headers), and must not
// lend their copies to anyone else.
#pragma once

#include "engine/simd/ForceInline.h"

#include <cstdint>

namespace orv::engine {

namespace {

// The lane operations on one double, as a table.
// clang-format off
// mask ? a : b.
ORV_LANE_INLINE double Select(bool mask, double a, double b) { return mask ? a : b; }
// mask ? x : +0.
ORV_LANE_INLINE double Keep(bool mask, double x) { return mask ? x : 0.0; }
// a > b ? a : b, and b when either is NaN (the rule of MAXPD).
ORV_LANE_INLINE double MaxOrSecond(double a, double b) { return a > b ? a : b; }
// a < b ? a : b, and b when either is NaN (the rule of MINPD).
ORV_LANE_INLINE double MinOrSecond(double a, double b) { return a < b ? a : b; }
ORV_LANE_INLINE bool Any(bool mask) { return mask; }
ORV_LANE_INLINE bool All(bool mask) { return mask; }
// clang-format on

struct ScalarLanes {
    using Value = double;
    using Condition = bool;
    using Index = uint32_t;
    static constexpr int kWidth = 1;
    static constexpr bool kWide = false;
    static ORV_LANE_INLINE Value Splat(double x) { return x; }
    static ORV_LANE_INLINE Value Load(const double* from) { return *from; }
    static ORV_LANE_INLINE void Store(double* to, Value v) { *to = v; }
    static ORV_LANE_INLINE Index LoadIndex(const uint32_t* from) { return *from; }
    static ORV_LANE_INLINE void StoreIndex(uint32_t* to, Index w) { *to = w; }
    static ORV_LANE_INLINE Value Gather(const double* base, Index index) { return base[index]; }
    static ORV_LANE_INLINE Condition ConditionOf(const bool* lanes) { return *lanes; }
};

}  // namespace

}  // namespace orv::engine
