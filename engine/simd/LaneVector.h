// Several doubles side by side in the widest vectors of the instruction set
// this file is compiled for, with the operations the voice kernel needs:
// IEEE add, subtract, multiply, divide and compare, min/max-as-select,
// bitwise select, gathers from a table. No fused multiply-add is ever formed,
// so every lane gives the bits the same operations on one double give
// (ScalarLane.h has them for double).
//
// Everything here has internal linkage: each instruction set's file has its
// own copy, and no inline function built for a wider instruction set can
// stand in for another file's at link time. Include it only from files built
// for one instruction set (the VoiceLaneKernel*.cpp files) and from tests.
#pragma once

#include "engine/simd/ForceInline.h"

#include <cstdint>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#if defined(__GNUC__) && !defined(__clang__)
// The vectors never cross a function boundary that is not inlined, so how
// an ABI would pass them does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"
// GCC 12 takes the undefined start value some intrinsics pass to their
// builtins for an uninitialised variable.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

namespace orv::engine {

namespace {

// The kernel runs kWidth lanes at a time, each value held as kParts vectors
// of the widest size the instruction set has (several registers per value
// give the processor independent work; SSE2, with its 16 registers, takes
// half the lanes at a time so that they are not all spilled). A mask marks
// the lanes where a condition holds: a bit per lane with AVX-512, all bits
// of the lane otherwise.
#if defined(__AVX512F__)
constexpr int kNativeWidth = 8;
constexpr int kWidth = 8;
#elif defined(__AVX__)
constexpr int kNativeWidth = 4;
constexpr int kWidth = 8;
#else
constexpr int kNativeWidth = 2;
constexpr int kWidth = 4;
#endif
constexpr int kParts = kWidth / kNativeWidth;
constexpr bool kWide = kNativeWidth >= 4;
static_assert(kWidth % kNativeWidth == 0);

typedef double Native __attribute__((vector_size(kNativeWidth * sizeof(double))));
typedef long long NativeBits __attribute__((vector_size(kNativeWidth * sizeof(double))));
// A native vector at any double-aligned address.
typedef double NativeUnaligned __attribute__((vector_size(kNativeWidth * sizeof(double)), aligned(8), may_alias));
#if defined(__AVX512F__)
typedef __mmask8 NativeMask;
#else
typedef NativeBits NativeMask;
#endif
// The lanes' 32-bit phases and table indices.
typedef uint32_t Words __attribute__((vector_size(kWidth * sizeof(uint32_t))));

struct Vec {
    Vec() = default;
    // x in every lane (-0 too).
    ORV_LANE_INLINE explicit Vec(double x)
    {
        for (int p = 0; p < kParts; ++p)
            for (int k = 0; k < kNativeWidth; ++k)
                part[p][k] = x;
    }
    Native part[kParts];
};

struct Mask {
    NativeMask part[kParts];
};

// One-line lane operations read best as a table.
// clang-format off
#define ORV_LANEWISE(result, expression) \
    _Pragma("GCC unroll 8")              \
    for (int p = 0; p < kParts; ++p)     \
        result.part[p] = (expression);

ORV_LANE_INLINE Vec operator+(Vec a, Vec b) { Vec r; ORV_LANEWISE(r, a.part[p] + b.part[p]) return r; }
ORV_LANE_INLINE Vec operator-(Vec a, Vec b) { Vec r; ORV_LANEWISE(r, a.part[p] - b.part[p]) return r; }
ORV_LANE_INLINE Vec operator*(Vec a, Vec b) { Vec r; ORV_LANEWISE(r, a.part[p] * b.part[p]) return r; }
ORV_LANE_INLINE Vec operator/(Vec a, Vec b) { Vec r; ORV_LANEWISE(r, a.part[p] / b.part[p]) return r; }
ORV_LANE_INLINE Vec operator-(Vec a) { Vec r; ORV_LANEWISE(r, -a.part[p]) return r; }

// Comparisons as in C++: false where a NaN is involved, except != (true).
#if defined(__AVX512F__)
#define ORV_COMPARE(name, op, predicate)                                                                  \
    ORV_LANE_INLINE Mask operator op(Vec a, Vec b)                                                        \
    {                                                                                                     \
        Mask r;                                                                                           \
        ORV_LANEWISE(r, _mm512_cmp_pd_mask((__m512d)a.part[p], (__m512d)b.part[p], predicate))            \
        return r;                                                                                         \
    }
#else
#define ORV_COMPARE(name, op, predicate)                                                                  \
    ORV_LANE_INLINE Mask operator op(Vec a, Vec b)                                                        \
    {                                                                                                     \
        Mask r;                                                                                           \
        ORV_LANEWISE(r, (NativeBits)(a.part[p] op b.part[p]))                                             \
        return r;                                                                                         \
    }
#endif
ORV_COMPARE(Less, <, _CMP_LT_OQ)
ORV_COMPARE(LessEqual, <=, _CMP_LE_OQ)
ORV_COMPARE(Greater, >, _CMP_GT_OQ)
ORV_COMPARE(GreaterEqual, >=, _CMP_GE_OQ)
ORV_COMPARE(Equal, ==, _CMP_EQ_OQ)
ORV_COMPARE(NotEqual, !=, _CMP_NEQ_UQ)
#undef ORV_COMPARE

ORV_LANE_INLINE Mask operator&(Mask a, Mask b) { Mask r; ORV_LANEWISE(r, (NativeMask)(a.part[p] & b.part[p])) return r; }
ORV_LANE_INLINE Mask operator|(Mask a, Mask b) { Mask r; ORV_LANEWISE(r, (NativeMask)(a.part[p] | b.part[p])) return r; }
ORV_LANE_INLINE Mask operator~(Mask a) { Mask r; ORV_LANEWISE(r, (NativeMask)(~a.part[p])) return r; }
// clang-format on

// mask ? a : b, lane by lane.
ORV_LANE_INLINE Vec Select(Mask mask, Vec a, Vec b)
{
    Vec r;
#if defined(__AVX512F__)
    ORV_LANEWISE(r, (Native)_mm512_mask_blend_pd(mask.part[p], (__m512d)b.part[p], (__m512d)a.part[p]))
#else
    ORV_LANEWISE(r, (Native)(((NativeBits)a.part[p] & mask.part[p]) | ((NativeBits)b.part[p] & ~mask.part[p])))
#endif
    return r;
}

// mask ? x : +0, lane by lane.
ORV_LANE_INLINE Vec Keep(Mask mask, Vec x)
{
    Vec r;
#if defined(__AVX512F__)
    ORV_LANEWISE(r, (Native)_mm512_maskz_mov_pd(mask.part[p], (__m512d)x.part[p]))
#else
    ORV_LANEWISE(r, (Native)((NativeBits)x.part[p] & mask.part[p]))
#endif
    return r;
}

// MaxOrSecond: a > b ? a : b, and b when either is NaN (the rule of MAXPD).
// MinOrSecond: a < b ? a : b, and b when either is NaN (the rule of MINPD).
#if defined(__AVX512F__)
#define ORV_NATIVE_PD(operation, a, b) _mm512_##operation##_pd((__m512d)(a), (__m512d)(b))
#elif defined(__AVX__)
#define ORV_NATIVE_PD(operation, a, b) _mm256_##operation##_pd((__m256d)(a), (__m256d)(b))
#elif defined(__SSE2__)
#define ORV_NATIVE_PD(operation, a, b) _mm_##operation##_pd((__m128d)(a), (__m128d)(b))
#endif
#if defined(ORV_NATIVE_PD)
#define ORV_PICK(name, op, operation)                                           \
    ORV_LANE_INLINE Vec name(Vec a, Vec b)                                      \
    {                                                                           \
        Vec r;                                                                  \
        ORV_LANEWISE(r, (Native)ORV_NATIVE_PD(operation, a.part[p], b.part[p])) \
        return r;                                                               \
    }
#else
#define ORV_PICK(name, op, operation)      \
    ORV_LANE_INLINE Vec name(Vec a, Vec b) \
    {                                      \
        return Select(a op b, a, b);       \
    }
#endif
ORV_PICK(MaxOrSecond, >, max)
ORV_PICK(MinOrSecond, <, min)
#undef ORV_PICK
#undef ORV_NATIVE_PD

#undef ORV_LANEWISE

ORV_LANE_INLINE Mask MaskOf(const bool* lanes)
{
    Mask r;
    for (int p = 0; p < kParts; ++p) {
#if defined(__AVX512F__)
        unsigned bits = 0;
        for (int k = 0; k < kNativeWidth; ++k)
            bits |= lanes[p * kNativeWidth + k] ? 1u << k : 0u;
        r.part[p] = static_cast<NativeMask>(bits);
#else
        for (int k = 0; k < kNativeWidth; ++k)
            r.part[p][k] = lanes[p * kNativeWidth + k] ? -1 : 0;
#endif
    }
    return r;
}

ORV_LANE_INLINE bool Any(Mask mask)
{
    NativeMask either = mask.part[0];
#pragma GCC unroll 8
    for (int p = 1; p < kParts; ++p)
        either |= mask.part[p];
#if defined(__AVX512F__)
    return either != 0;
#elif defined(__AVX__)
    return _mm256_testz_si256((__m256i)either, (__m256i)either) == 0;
#elif defined(__SSE2__)
    return _mm_movemask_epi8((__m128i)either) != 0;
#else
    long long any = 0;
    for (int k = 0; k < kNativeWidth; ++k)
        any |= either[k];
    return any != 0;
#endif
}

ORV_LANE_INLINE bool All(Mask mask)
{
    return !Any(~mask);
}

ORV_LANE_INLINE Vec Load(const double* from)
{
    Vec v;
#pragma GCC unroll 8
    for (int p = 0; p < kParts; ++p)
        v.part[p] = *reinterpret_cast<const NativeUnaligned*>(from + p * kNativeWidth);
    return v;
}

ORV_LANE_INLINE void Store(double* to, Vec v)
{
#pragma GCC unroll 8
    for (int p = 0; p < kParts; ++p)
        *reinterpret_cast<NativeUnaligned*>(to + p * kNativeWidth) = v.part[p];
}

ORV_LANE_INLINE Words LoadWords(const uint32_t* from)
{
    Words w;
    __builtin_memcpy(&w, from, sizeof w);
    return w;
}

ORV_LANE_INLINE void StoreWords(uint32_t* to, Words w)
{
    __builtin_memcpy(to, &w, sizeof w);
}

ORV_LANE_INLINE Vec Splat(double x)
{
    double lanes[kWidth];
    for (int k = 0; k < kWidth; ++k)
        lanes[k] = x;
    return Load(lanes);
}

// base[index[k]] in every lane k.
ORV_LANE_INLINE Vec Gather(const double* base, Words index)
{
    Vec v;
#if defined(__AVX512F__)
    v.part[0] = (Native)_mm512_i32gather_pd((__m256i)index, base, 8);
#elif defined(__AVX2__)
    // The masked form with every lane enabled: the plain one starts from an
    // undefined register, which GCC 12 warns about.
    __m128i indices[kParts];
    __builtin_memcpy(indices, &index, sizeof indices);
    const __m256d all = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
#pragma GCC unroll 8
    for (int p = 0; p < kParts; ++p)
        v.part[p] = (Native)_mm256_mask_i32gather_pd(_mm256_setzero_pd(), base, indices[p], all, 8);
#else
    double lanes[kWidth];
    for (int k = 0; k < kWidth; ++k)
        lanes[k] = base[index[k]];
    v = Load(lanes);
#endif
    return v;
}

// The lane vocabulary the voice kernel is written against (ScalarLanes is
// the same for one double).
struct NativeLanes {
    using Value = Vec;
    using Condition = Mask;
    using Index = Words;
    static constexpr int kWidth = engine::kWidth;
    // Wide enough that skipping rare work pays for the test (SSE2 is not).
    static constexpr bool kWide = engine::kWide;
    static ORV_LANE_INLINE Value Splat(double x) { return engine::Splat(x); }
    static ORV_LANE_INLINE Value Load(const double* from) { return engine::Load(from); }
    static ORV_LANE_INLINE void Store(double* to, Value v) { engine::Store(to, v); }
    static ORV_LANE_INLINE Index LoadIndex(const uint32_t* from) { return LoadWords(from); }
    static ORV_LANE_INLINE void StoreIndex(uint32_t* to, Index w) { StoreWords(to, w); }
    static ORV_LANE_INLINE Value Gather(const double* base, Index index) { return engine::Gather(base, index); }
    static ORV_LANE_INLINE Condition ConditionOf(const bool* lanes) { return MaskOf(lanes); }
};

}  // namespace

}  // namespace orv::engine
