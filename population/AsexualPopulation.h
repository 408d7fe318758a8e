#pragma once
// The asexual population: 100 organisms with one chromosome of up to 20 bases,
// grown from the initial gene written twice. Reproduction copies one living organism.
#include "population/Gene.h"
#include "population/GenerationTables.h"
#include "population/LivingSet.h"
#include "population/SixByteReal.h"

#include <array>
#include <cstdint>
#include <string_view>

class TAsexualPopulation {
public:
    static constexpr int kPlaces = 100;

    struct TOrganism {
        TGene20 Chromosome;

        bool Alive() const { return Chromosome.Alive(); }
        friend bool operator==(const TOrganism&, const TOrganism&) = default;
    };

    TGene20 InitGen;
    std::array<TOrganism, kPlaces> Organisms{};  // place i is Organisms[i - 1]
    uint8_t MutationLimit = 0;
    TSixByteReal ParasiteKillFactor;
    TSixByteReal MutationRate;

    // InitGen takes the first 20 characters of g; every chromosome is InitGen
    // followed by InitGen, cut to 20 places. Sets the default parameters and reseeds.
    void Init(std::u32string_view g);

    TSixByteReal Identity(const TGene20& gene) const;   // percent of places equal to InitGen
    TSixByteReal GCContent(const TGene20& gene) const;  // percent of places holding G or C

    void ParasiteStep();
    uint8_t CountLiving() const;
    TSixByteReal AverageGC() const;
    void Mutate();
    static char32_t RandomBase();
    void LethalCheck();
    void Reproduce();

    // The operations keep per-organism counts up to date; call this after editing
    // InitGen or Organisms directly (Init does it). Parameter fields need no call.
    void Resync();

private:
    static constexpr std::size_t kCounts = TGene20::kCapacity + 1;  // 0 .. 20 places

    struct TPlaceCounts {
        uint8_t GC, Id;
    };

    TSixByteReal GCFromCount(unsigned c) const;
    TSixByteReal IdentityFromCount(unsigned m) const;
    void MarkLethal(int place, bool lethal);
    void SetBase(int place, uint32_t position, char32_t base);
    void KillPlaces(int word, uint64_t places);

    std::array<TPlaceCounts, kPlaces> counts_{};
    TLivingSet living_;
    std::array<uint64_t, 2> lethalPlaces_{};  // valid for lethal_'s limit
    unsigned gcTotal_ = 0;                      // G/C places of all chromosomes, dead or alive
    std::array<long double, kCounts> gcValues_{};
    std::array<long double, kCounts> identityValues_{};
    TGCSum gcSum_;
    TParasiteTable<kCounts> parasite_;
    TLethalTable<kCounts> lethal_;
    TMutationBound mutation_;
};

extern TAsexualPopulation AsexualPopulation;
