#include "engine/SimdLevel.h"

namespace orv::engine {

SimdLevel BestSimdLevel()
{
#if defined(ORV_X86_LANE_KERNELS)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f"))
        return SimdLevel::kAvx512;
    if (__builtin_cpu_supports("avx2"))
        return SimdLevel::kAvx2;
#endif
    return SimdLevel::kBaseline;
}

std::vector<SimdLevel> SupportedSimdLevels()
{
    std::vector<SimdLevel> levels;
    const SimdLevel best = BestSimdLevel();
    for (SimdLevel level : {SimdLevel::kBaseline, SimdLevel::kAvx2, SimdLevel::kAvx512})
        if (static_cast<int>(level) <= static_cast<int>(best))
            levels.push_back(level);
    return levels;
}

const char* SimdLevelName(SimdLevel level)
{
    switch (level) {
    case SimdLevel::kAvx2:
        return "AVX2";
    case SimdLevel::kAvx512:
        return "AVX-512";
    case SimdLevel::kScalar:
        return "scalar";
    default:
        return "baseline";
    }
}

}  // namespace orv::engine
