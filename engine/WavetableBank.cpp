#include "engine/WavetableBank.h"

#include <cmath>
#include <memory>

namespace orv::engine {

namespace {

constexpr double kPi = 3.141592653589793;

constexpr int kHarmonicsOfLevel[WavetableBank::kLevels] = {
    1024, 724, 512, 362, 256, 181, 128, 91, 64, 45, 32, 23, 16, 11, 8, 6, 4, 3, 2, 1,
};

struct Partial {
    int harmonic;
    double amplitude;
};

constexpr Partial kWood[] = {{1, 1.0}, {2, 0.1}, {3, 1.0}, {4, 0.1}, {5, 0.6}, {6, 0.1}};
constexpr Partial kMetal[] = {{1, 1.0}, {4, 0.8}, {7, 0.6}, {9, 0.5}, {11, 0.4}};
constexpr Partial kGlass[] = {{1, 1.0}, {5, 0.8}, {10, 0.3}, {13, 0.3}, {18, 0.2}};

double Taper(int n, int harmonics)
{
    if (n == 1)
        return 0.5;
    return 0.5 * (0.54 + 0.46 * std::cos((n - 1) * (kPi / 2.0) / (harmonics - 1)));
}

double SpectrumAmplitude(int spectrum, int n)
{
    auto lookUp = [n](const auto& partials) {
        for (const Partial& partial : partials)
            if (partial.harmonic == n)
                return partial.amplitude;
        return 0.0;
    };
    switch (spectrum) {
    case kSpectrumSaw:
        return 1.0 / n;
    case kSpectrumWood:
        return lookUp(kWood);
    case kSpectrumMetal:
        return lookUp(kMetal);
    default:
        return lookUp(kGlass);
    }
}

}  // namespace

const WavetableBank& WavetableBank::Instance()
{
    // Built once, thread-safely; about 1.3 MB, so kept off the stack.
    static const std::unique_ptr<WavetableBank> bank(new WavetableBank());
    return *bank;
}

WavetableBank::WavetableBank()
{
    double weight[1025];  // w(n) * a(n) of the level being built
    for (int spectrum = 0; spectrum < kSpectrumCount; ++spectrum) {
        for (int level = 0; level < kLevels; ++level) {
            const int harmonics = kHarmonicsOfLevel[level];
            for (int n = 1; n <= harmonics; ++n)
                weight[n] = Taper(n, harmonics) * SpectrumAmplitude(spectrum, n);
            double* table = tables[spectrum][level];
            for (int k = 0; k < kTableLength; ++k) {
                double sum = 0.0;
                for (int n = 1; n <= harmonics; ++n)
                    if (weight[n] != 0.0)
                        sum += weight[n] * std::sin(2.0 * kPi * n * k / kTableLength);
                table[k] = sum;
            }
        }
    }
}

}  // namespace orv::engine
