#pragma once
// Decision tables of the generation steps. A chromosome's measures depend only on its
// number of G/C places or of places matching the initial gene, and a draw compared
// with a fixed bound is decided by the stepped seed alone. So the steps look answers
// up in tables built from the exact six-byte arithmetic, draw the same numbers in the
// same order, and redo no rounding per organism. Tables are rebuilt when the
// parameter they depend on (a public field) has changed.
#include "Real48.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr uint64_t kNoSeed = uint64_t{1} << 32;  // above every seed

// Smallest stepped seed whose draw Random(n) is k or more (kNoSeed for k = n).
constexpr uint64_t DrawBound(uint32_t n, uint32_t k)
{
    return ((uint64_t{k} << 32) + n - 1) / n;
}

// Parasite step: per class of organism (its six-byte average GC a), the first seed
// whose draw r = Random(99) + 1 kills, that is six-byte(r × factor) > a. The product
// grows with r, so the killing draws are all draws from some r on. Draws from
// OverflowSeed on make the product too large for a six-byte real.
template <std::size_t Classes>
struct TParasiteTable {
    std::array<uint64_t, Classes> KillSeed{};
    uint64_t OverflowSeed = kNoSeed;
    Real48 Factor;
    bool Valid = false;

    void Build(const std::array<long double, Classes>& averages, Real48 factor);
};

// Smallest draw r = 1 .. 99 whose six-byte product with the factor overflows (100: none).
uint32_t FirstOverflowingDraw(long double factor);

template <std::size_t Classes>
void TParasiteTable<Classes>::Build(const std::array<long double, Classes>& averages, Real48 factor)
{
    const long double f = Real2Ext(factor);
    const uint32_t overflowing = FirstOverflowingDraw(f);
    std::array<long double, 100> t{};
    for (uint32_t r = 1; r < overflowing; ++r)
        t[r] = SixByte(r * f);
    for (std::size_t c = 0; c < Classes; ++c) {
        uint32_t r = 1;
        while (r < overflowing && !(t[r] > averages[c]))
            ++r;
        KillSeed[c] = r < overflowing ? DrawBound(99, r - 1) : kNoSeed;
    }
    OverflowSeed = DrawBound(99, overflowing - 1);
    Factor = factor;
    Valid = true;
}

// Lethal check: per identity count, whether its six-byte identity is below the limit.
template <std::size_t Counts>
struct TLethalTable {
    std::array<bool, Counts> Lethal{};
    uint8_t Limit = 0;
    bool Valid = false;

    void Build(const std::array<long double, Counts>& identities, uint8_t limit)
    {
        for (std::size_t m = 0; m < Counts; ++m)
            Lethal[m] = identities[m] < limit;
        Limit = limit;
        Valid = true;
    }
};

// Mutation: the first seed whose draw Random(100) is not below the threshold.
struct TMutationBound {
    uint64_t Seed = 0;
    Real48 Rate;
    bool Valid = false;

    void Build(Real48 rate, long double threshold);
};

// Average GC: the six-byte running sum is exact (so the sum of the counts times the
// value of one G/C place) when every measure is a multiple of that unit and the largest
// possible sum still fits into 40 significant bits. Otherwise the sum is rounded
// step by step as it runs.
struct TGCSum {
    bool Exact = false;
    long double Unit = 0;

    template <std::size_t Counts>
    void Build(const std::array<long double, Counts>& values, unsigned maxTotal)
    {
        Unit = values[1];
        Exact = FitsExactly(Unit, maxTotal);
        for (std::size_t c = 0; c < Counts; ++c)
            Exact = Exact && values[c] == static_cast<long double>(c) * Unit;
    }

    static bool FitsExactly(long double unit, unsigned maxTotal);
};
