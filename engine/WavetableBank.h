// Band-limited single-cycle tables of the tone models, built once per process
// by additive synthesis. Level L (0..19) holds the harmonics 1..C(L) with
// C(L) = round(1024 / sqrt(2)^L), tapered towards the top so that switching
// levels is smooth:
//   w(1) = 0.5,  w(n) = 0.5 (0.54 + 0.46 cos((n - 1) (pi/2) / (C - 1)))
//   table[k] = sum over n of w(n) a(n) sin(2 pi n k / 2048)
// Every fundamental has amplitude 0.5; saw level 19 is a pure sine.
#pragma once

#include <cstdint>

namespace orv::engine {

enum Spectrum : int {
    kSpectrumSaw = 0,    // String and Sine: a(n) = 1/n
    kSpectrumWood = 1,   // odd-heavy: 1, 0.1, 1, 0.1, 0.6, 0.1
    kSpectrumMetal = 2,  // harmonics 1, 4, 7, 9, 11
    kSpectrumGlass = 3,  // harmonics 1, 5, 10, 13, 18
    kSpectrumCount = 4,
};

class WavetableBank {
public:
    static constexpr int kLevels = 20;
    static constexpr int kTableLength = 2048;

    // The process's bank, computed on first use.
    static const WavetableBank& Instance();

    const double* Table(int spectrum, int level) const { return tables[spectrum][level]; }

private:
    WavetableBank();

    double tables[kSpectrumCount][kLevels][kTableLength];
};

}  // namespace orv::engine
