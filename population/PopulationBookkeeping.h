#pragma once
// What both populations keep beside their organisms: who lives, who is lethal, the
// total of G/C places, the six-byte measure of each count of places and the decision
// tables built from them. Capacity is the places of one chromosome. The population
// says how an organism is emptied, bred or mutated; this class decides which places
// and draws. Fixed-size members only: the populations are static objects.
#include "base/FloatEnvironment.h"
#include "population/Gene.h"
#include "population/GenerationTables.h"
#include "population/LivingSet.h"
#include "population/Random.h"
#include "population/SixByteReal.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

// The parameters a run may change between generations.
struct TPopulationParameters {
    uint8_t MutationLimit = 0;
    TSixByteReal ParasiteKillFactor;
    TSixByteReal MutationRate;

    void SetDefaults()
    {
        MutationLimit = 30;
        ParasiteKillFactor = Ext2Real(1.0L);
        MutationRate = Ext2Real(3.0L);
    }
};

template <std::size_t Capacity>
class TPopulationBookkeeping {
public:
    static constexpr int kPlaces = TLivingSet::kPlaces;
    static constexpr std::size_t kCounts = Capacity + 1;  // 0 .. Capacity places
    using TMeasures = std::array<long double, kCounts>;

    // Starts a recount: nobody lives, no G/C place, the lethal marks are stale.
    void Clear()
    {
        FLiving.Clear();
        FGCTotal = 0;
        FLethal.Valid = false;
    }

    // Counts one place during a recount.
    void AddPlace(int place, bool alive, unsigned gc)
    {
        FGCTotal += gc;
        if (alive)
            FLiving.Set(place);
    }

    // The six-byte measure of each count of places (G/C content and identity share it);
    // scale turns the sum over the population into its average.
    template <typename Measure>
    void BuildMeasures(Measure measure, long double scale)
    {
        for (unsigned c = 0; c < kCounts; ++c)
            FMeasures[c] = Real2Ext(measure(c));
        FGCSum.Build(FMeasures, scale);
        FScale = scale;
    }

    const TMeasures& Measures() const { return FMeasures; }
    uint8_t CountLiving() const { return static_cast<uint8_t>(FLiving.Count()); }
    bool Lethal(unsigned matches) const { return FLethal.Lethal[matches]; }

    // placeBits(sum, place): the integer measures of the place's chromosomes, summed.
    template <typename PlaceBits>
    TSixByteReal AverageGC(PlaceBits placeBits) const
    {
        if (FGCSum.Exact)
            return FGCSum.Averages[FGCTotal];
        uint64_t s = 0;
        for (int place = 0; place < kPlaces; ++place)
            s = TGCSum::RoundBits(s + placeBits(FGCSum, place));
        return Ext2Real(FGCSum.FromBits(s) * FScale);
    }

    // Writes base at position of gene and keeps the place's counts and the total.
    template <std::size_t N>
    void SetBase(TGene<N>& gene, uint32_t position, char32_t base, char32_t init, uint8_t& gc, uint8_t& matches)
    {
        const char32_t old = gene.Places[position];
        gene.Places[position] = base;
        gc = static_cast<uint8_t>(gc + IsGC(base) - IsGC(old));
        FGCTotal = FGCTotal + IsGC(base) - IsGC(old);
        matches = static_cast<uint8_t>(matches + (init != U'\0' && base == init) - (init != U'\0' && old == init));
    }

    void ReplaceGC(unsigned oldGC, unsigned newGC) { FGCTotal = FGCTotal - oldGC + newGC; }

    void MarkLethal(int place, bool lethal)
    {
        const uint64_t bit = uint64_t{1} << (place & 63);
        FLethalPlaces[place >> 6] = (FLethalPlaces[place >> 6] & ~bit) | (lethal ? bit : 0);
    }

    // Applies a parasite step's draws; empty(place) empties the organism at place.
    template <typename Empty>
    void KillDrawn(const TParasiteDraws& draws, Empty empty)
    {
        RandSeed = draws.Seed;
        // Dead places are killed again; only their lengths are touched, and those are 0.
        KillPlaces(draws.Killed, empty);
        if (draws.Overflow)
            RaiseFloatFault(TFloatFault::Overflow);
    }

    // Kills the lethal places; isLethal(place) decides a place anew when the limit changed.
    template <typename IsLethal, typename Empty>
    void LethalCheck(uint8_t limit, IsLethal isLethal, Empty empty)
    {
        if (!FLethal.Valid || FLethal.Limit != limit) {
            FLethal.Build(FMeasures, limit);
            for (int place = 0; place < kPlaces; ++place)
                MarkLethal(place, isLethal(place));
        }
        KillPlaces(FLethalPlaces, empty);
    }

    // One draw Random(100) per living organism, compared with rate × share; mutate(place,
    // seed) makes a chosen organism's own draws and returns the seed after them.
    template <typename MutateOne>
    void Mutate(TSixByteReal rate, long double share, MutateOne mutate)
    {
        if (!FMutation.Valid || !(FMutation.Rate == rate))
            FMutation.Build(rate, Real2Ext(rate) * share);
        // Mutation does not change who lives, so the j-th living organism is found on demand.
        RandSeed = FMutation.Scan(RandSeed, FLiving.Count(), [this, &mutate](uint32_t j, uint32_t seed) {
            return mutate(FLiving.Select(j), seed);
        });
    }

    // Fills every dead place from Parents living ones, drawn in place order whether or
    // not anybody lives; breed(place, parents) writes the child and its counts.
    template <int Parents, typename Breed>
    void Reproduce(Breed breed)
    {
        const uint32_t start = RandSeed;
        uint32_t draws = 0;
        for (int w = 0; w < 2; ++w)
            for (uint64_t dead = FLiving.DeadWord(w); dead != 0; dead &= dead - 1) {
                const auto n = static_cast<uint32_t>(FLiving.Count());
                std::array<uint32_t, Parents> seeds;
                for (int k = 0; k < Parents; ++k)
                    seeds[k] = kJumps[draws + 1 + k](start);
                draws += Parents;
                if (n == 0)
                    continue;
                std::array<int, Parents> parents;
                for (int k = 0; k < Parents; ++k)
                    parents[k] = FLiving.Select(ScaleSeed(seeds[k], n));
                const int place = 64 * w + std::countr_zero(dead);
                breed(place, parents);
                FLiving.Set(place);
            }
        RandSeed = kJumps[draws](start);
    }

private:
    template <typename Empty>
    void KillPlaces(const std::array<uint64_t, 2>& places, Empty empty)
    {
        for (int w = 0; w < 2; ++w) {
            for (uint64_t bits = places[w]; bits != 0; bits &= bits - 1)
                empty(64 * w + std::countr_zero(bits));
            FLiving.RemoveWord(w, places[w]);
        }
    }

    TLivingSet FLiving;
    std::array<uint64_t, 2> FLethalPlaces{};  // valid for FLethal's limit
    unsigned FGCTotal = 0;                    // G/C places of all chromosomes, dead or alive
    TMeasures FMeasures{};
    long double FScale = 0;
    TGCSum FGCSum;
    TLethalTable<kCounts> FLethal;
    TMutationBound FMutation;
};
