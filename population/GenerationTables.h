#pragma once
// Decision tables of the generation steps. A chromosome's measures depend only on its
// number of G/C places or of places matching the initial gene, and a draw compared
// with a fixed bound is decided by the stepped seed alone. So the steps look answers
// up in tables built from the exact six-byte arithmetic, draw the same numbers in the
// same order, and redo no rounding per organism. Tables are rebuilt when the
// parameter they depend on (a public field) has changed.
#include "population/Random.h"
#include "population/SeedLanes.h"
#include "population/SixByteReal.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

inline constexpr uint64_t kNoSeed = uint64_t{1} << 32;  // above every seed

// Smallest stepped seed whose draw Random(n) is k or more (kNoSeed for k = n).
constexpr uint64_t DrawBound(uint32_t n, uint32_t k)
{
    return ((uint64_t{k} << 32) + n - 1) / n;
}

// Draws side by side: four seeds from one base, one multiply-add each.
inline constexpr int kLanes = 4;
inline constexpr TSeedJump kLaneJumps[kLanes] = {SeedJump(1), SeedJump(2), SeedJump(3), SeedJump(4)};

// Jumps of 0 .. 200 steps: reproduction makes at most two draws per place, all of them
// whatever the draws give, so each of its seeds is one multiply-add from the first.
inline constexpr std::array<TSeedJump, 201> kJumps = [] {
    std::array<TSeedJump, 201> jumps{};
    for (std::size_t k = 1; k < jumps.size(); ++k)
        jumps[k] = {jumps[k - 1].Multiplier * kRandMultiplier, jumps[k - 1].Increment * kRandMultiplier + 1u};
    return jumps;
}();
inline constexpr TJumpLanes<201> kJumpLanes = MakeJumpLanes<201>(kJumps);

// The outcome of the parasite draws of one step.
struct TParasiteDraws {
    std::array<uint64_t, 2> Killed{};  // places whose draw kills
    uint32_t Seed = 0;                 // after the last draw made
    bool Overflow = false;             // the last draw made overflowed; later places drew nothing
};

// The parasite draws of all 100 places at once, when no draw can overflow: each place's bound
// is kept as its class changes, so a step is a multiply-add and a comparison per place, four
// places to an instruction.
struct TParasitePlaces {
    alignas(16) std::array<uint32_t, 100> Bound{};  // kill seed less one: a greater draw kills
    std::array<uint64_t, 2> Always{};               // places whose kill seed is 0: every draw kills

    void Set(int place, uint64_t killSeed)
    {
        const uint64_t bit = uint64_t{1} << (place & 63);
        Always[place >> 6] = (Always[place >> 6] & ~bit) | (killSeed == 0 ? bit : 0);
        Bound[place] = killSeed == 0 ? 0 : static_cast<uint32_t>(killSeed - 1);
    }

    TParasiteDraws Draw(uint32_t seed) const;
};

// Parasite step: per class of organism (its six-byte average GC a), the first seed
// whose draw r = Random(99) + 1 kills, that is six-byte(r × factor) > a. The product
// grows with r, so the killing draws are all draws from some r on. Draws from
// OverflowSeed on make the product too large for a six-byte real.
template <std::size_t Classes>
struct TParasiteTable {
    std::array<uint64_t, Classes> KillSeed{};
    uint64_t OverflowSeed = kNoSeed;
    TSixByteReal Factor;
    bool Valid = false;
    TParasitePlaces Places;

    // classOf(place) gives the class of each place.
    template <typename ClassOf>
    void Build(const std::array<long double, Classes>& averages, TSixByteReal factor, ClassOf classOf)
    {
        BuildSeeds(averages, factor);
        for (int place = 0; place < 100; ++place)
            Place(place, classOf(place));
    }
    // The place's class has changed (to cls).
    void Place(int place, std::size_t cls) { Places.Set(place, KillSeed[cls]); }

    // One draw per place 0 .. 99 in order; classOf(place) gives the place's class.
    template <typename ClassOf>
    TParasiteDraws Draw(uint32_t seed, ClassOf classOf) const
    {
        if (OverflowSeed == kNoSeed)
            return Places.Draw(seed);
        static_assert(64 % kLanes == 0 && 100 % kLanes == 0);
        TParasiteDraws d;
        uint64_t killed[2] = {0, 0};  // kept in registers: no store-to-load chain per place
        for (int base = 0; base < 100; base += kLanes) {
            uint32_t lane[kLanes];
            uint64_t bits = 0;
            bool overflow = false;
#pragma GCC unroll 4
            for (int k = 0; k < kLanes; ++k) {
                lane[k] = kLaneJumps[k](seed);
                overflow |= lane[k] >= OverflowSeed;
                bits |= uint64_t{lane[k] >= KillSeed[classOf(base + k)]} << k;
            }
            if (overflow) {  // rare: stop at the first overflowing draw
                int k = 0;
                while (lane[k] < OverflowSeed)
                    ++k;
                bits &= (uint64_t{1} << k) - 1;
                d.Seed = lane[k];
                d.Overflow = true;
            } else {
                d.Seed = seed = lane[kLanes - 1];
            }
            killed[base >> 6] |= bits << (base & 63);
            if (d.Overflow)
                break;
        }
        d.Killed = {killed[0], killed[1]};
        return d;
    }

private:
    void BuildSeeds(const std::array<long double, Classes>& averages, TSixByteReal factor);
};

// Smallest draw r = 1 .. 99 whose six-byte product with the factor overflows (100: none).
uint32_t FirstOverflowingDraw(long double factor);

template <std::size_t Classes>
void TParasiteTable<Classes>::BuildSeeds(const std::array<long double, Classes>& averages, TSixByteReal factor)
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
    TSixByteReal Rate;
    bool Valid = false;

    void Build(TSixByteReal rate, long double threshold);

    // Draws r = Random(100) for organisms 0 .. count-1 in turn. For each r below the
    // threshold, mutate(organism, seed) makes the mutation's own draws and returns the
    // seed after them. Mutations are rare, so four r are tried at once. Returns the seed.
    template <typename Mutate>
    uint32_t Scan(uint32_t seed, uint32_t count, Mutate&& mutate) const
    {
        uint32_t j = 0;
        if (Seed < kNoSeed) {
            // Eight r at once in two registers: r is below the threshold when Seed is above the seed.
            const __m128i bound = SeedLanes(static_cast<uint32_t>(Seed));
            while (count - j >= 8) {
                const __m128i seeds = SeedLanes(seed);
                const unsigned below =
                    LanesAbove(bound, kJumpLanes.Draws(seeds, 1)) | LanesAbove(bound, kJumpLanes.Draws(seeds, 5)) << 4;
                if (below == 0) {
                    seed = kJumps[8](seed);
                    j += 8;
                } else {
                    const int k = std::countr_zero(below);
                    seed = mutate(j + k, kJumps[k + 1](seed));
                    j += k + 1;
                }
            }
        }
        while (count - j >= kLanes) {
            uint32_t lane[kLanes];
            unsigned below = 0;
#pragma GCC unroll 4
            for (int k = 0; k < kLanes; ++k) {
                lane[k] = kLaneJumps[k](seed);
                below |= unsigned{lane[k] < Seed} << k;
            }
            if (below == 0) {
                seed = lane[kLanes - 1];
                j += kLanes;
            } else {
                const int k = std::countr_zero(below);
                seed = mutate(j + k, lane[k]);
                j += k + 1;
            }
        }
        for (; j < count; ++j) {
            seed = NextSeed(seed);
            if (seed < Seed)
                seed = mutate(j, seed);
        }
        return seed;
    }
};

// Average GC: the six-byte running sum is exact (so the sum of the counts times the
// value of one G/C place) when every measure is a multiple of that unit and the largest
// possible sum still fits into 40 significant bits; then the average depends on the
// total count alone and is looked up. Otherwise the sum is rounded to six bytes step
// by step, in integers: every measure and every partial sum is a whole number of the
// smallest measure's last bit, few enough to be added exactly as the extended sum is.
struct TGCSum {
    static constexpr unsigned kMaxTotal = 2000;  // G/C places of a whole population
    static constexpr std::size_t kMaxCounts = 21;

    bool Exact = false;
    long double Unit = 0;
    std::array<TSixByteReal, kMaxTotal + 1> Averages{};  // six-byte(total × Unit × scale), when exact
    int BitExponent = 0;                                 // inexact: a measure is Bits[count] × 2^BitExponent
    std::array<uint64_t, kMaxCounts> Bits{};

    template <std::size_t Counts>
    void Build(const std::array<long double, Counts>& values, long double scale)
    {
        static_assert(Counts <= kMaxCounts);
        Unit = values[1];
        Exact = FitsExactly(Unit, kMaxTotal);
        for (std::size_t c = 0; c < Counts; ++c)
            Exact = Exact && values[c] == static_cast<long double>(c) * Unit;
        for (unsigned total = 0; Exact && total <= kMaxTotal; ++total)
            Averages[total] = Ext2Real(total * Unit * scale);
        if (!Exact)
            BuildBits(values.data(), Counts, kMaxTotal / (Counts - 1));
    }

    // Rounds a sum of bits to 40 significant bits, halves away from zero.
    static uint64_t RoundBits(uint64_t bits)
    {
        const int extra = static_cast<int>(std::bit_width(bits)) - 40;
        if (extra <= 0)
            return bits;
        return ((bits + (uint64_t{1} << (extra - 1))) >> extra) << extra;
    }

    long double FromBits(uint64_t bits) const;
    static bool FitsExactly(long double unit, unsigned maxTotal);

private:
    void BuildBits(const long double* values, std::size_t counts, unsigned chromosomes);
};
