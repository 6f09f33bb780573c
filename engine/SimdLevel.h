// The instruction sets the voice kernel is built for. The engine picks the
// best one the processor offers at run time; every level gives the same bits
// (only IEEE add, subtract, multiply, divide, compare and select are used,
// never fused multiply-add), so the choice changes speed, not sound.
#pragma once

#include <vector>

namespace orv::engine {

enum class SimdLevel : int {
    kScalar = -1,   // one voice at a time on plain doubles: the reference
    kBaseline = 0,  // SSE2 on x86 (every x86-64 and our 32-bit builds), plain C++ elsewhere
    kAvx2 = 1,
    kAvx512 = 2,
};

// The best level this processor and this build support.
SimdLevel BestSimdLevel();
// Every level this processor and this build support, lowest first; the
// scalar one is not among them (it is the reference they are compared with).
std::vector<SimdLevel> SupportedSimdLevels();
const char* SimdLevelName(SimdLevel level);

}  // namespace orv::engine
