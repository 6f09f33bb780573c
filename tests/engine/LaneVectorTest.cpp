// The lane vocabulary of this build's baseline instruction set against the
// same operations on one double: every lane must give the scalar's bits,
// NaN, infinities and signed zeros included, or the kernels would drift
// apart where it matters least visibly.
#include "engine/simd/LaneVector.h"
#include "engine/simd/ScalarLane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace orv::engine;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kValues[] = {0.0, -0.0, 1.0, -1.0, 0.5, -2.5, kInf, -kInf, kNaN, 1e-310};
constexpr int kValueCount = static_cast<int>(std::size(kValues));

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Lanes k of a and b take values i + k and j + k of the table.
struct LanePair {
    double a[NativeLanes::kWidth], b[NativeLanes::kWidth];
};

LanePair Pair(int i, int j)
{
    LanePair p;
    for (int k = 0; k < NativeLanes::kWidth; ++k) {
        p.a[k] = kValues[(i + k) % kValueCount];
        p.b[k] = kValues[(j + k) % kValueCount];
    }
    return p;
}

}  // namespace

TEST(LaneVector, EveryOperationGivesTheBitsOfOneDoubleInEveryLane)
{
    using L = NativeLanes;
    for (int i = 0; i < kValueCount; ++i) {
        for (int j = 0; j < kValueCount; ++j) {
            const LanePair p = Pair(i, j);
            const L::Value a = L::Load(p.a), b = L::Load(p.b);
            struct Case {
                const char* name;
                L::Value lanes;
                double (*scalar)(double, double);
            };
            const Case cases[] = {
                {"a + b", a + b, [](double x, double y) { return x + y; }},
                {"a - b", a - b, [](double x, double y) { return x - y; }},
                {"a * b", a * b, [](double x, double y) { return x * y; }},
                {"a / b", a / b, [](double x, double y) { return x / y; }},
                {"max", MaxOrSecond(a, b), [](double x, double y) { return MaxOrSecond(x, y); }},
                {"min", MinOrSecond(a, b), [](double x, double y) { return MinOrSecond(x, y); }},
                {"select a < b", Select(a < b, a, b), [](double x, double y) { return Select(x < y, x, y); }},
                {"keep a != b", Keep(a != b, a), [](double x, double y) { return Keep(x != y, x); }},
                {"keep a == a", Keep(a == a, b), [](double x, double y) { return Keep(x == x, y); }},
                {"select a >= b", Select(a >= b, -a, b), [](double x, double y) { return Select(x >= y, -x, y); }},
            };
            for (const Case& c : cases) {
                double out[L::kWidth];
                L::Store(out, c.lanes);
                for (int k = 0; k < L::kWidth; ++k)
                    ASSERT_TRUE(SameBits(out[k], c.scalar(p.a[k], p.b[k])))
                        << c.name << " of " << p.a[k] << " and " << p.b[k] << ": " << out[k];
            }
        }
    }
}

TEST(LaneVector, ConditionsSplatsAndGathers)
{
    using L = NativeLanes;
    bool lanes[L::kWidth] = {};
    EXPECT_FALSE(Any(L::ConditionOf(lanes)));
    lanes[L::kWidth - 1] = true;
    EXPECT_TRUE(Any(L::ConditionOf(lanes)));
    EXPECT_FALSE(All(L::ConditionOf(lanes)));
    for (bool& lane : lanes)
        lane = true;
    EXPECT_TRUE(All(L::ConditionOf(lanes)));

    double out[L::kWidth];
    L::Store(out, L::Splat(-0.0));
    for (double x : out)
        EXPECT_TRUE(std::signbit(x)) << "a splat of -0 keeps its sign";

    double table[64];
    for (int n = 0; n < 64; ++n)
        table[n] = n * 1.5;
    uint32_t index[L::kWidth];
    for (int k = 0; k < L::kWidth; ++k)
        index[k] = static_cast<uint32_t>(63 - 9 * k);
    L::Store(out, L::Gather(table, L::LoadIndex(index)));
    for (int k = 0; k < L::kWidth; ++k)
        EXPECT_EQ(out[k], table[index[k]]);
}
