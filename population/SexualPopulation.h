#pragma once
// The sexual population: 100 organisms with two chromosomes of up to 10 bases.
// Reproduction combines a chromosome 1 and a chromosome 2 of two living organisms.
#include "population/Gene.h"
#include "population/GenerationTables.h"
#include "population/LivingSet.h"
#include "population/SixByteReal.h"

#include <array>
#include <cstdint>
#include <string_view>

class TSexualPopulation {
public:
    static constexpr int kPlaces = 100;

    struct TOrganism {
        TGene10 Chromosome1;
        TGene10 Chromosome2;

        bool Alive() const { return Chromosome1.Alive(); }
        friend bool operator==(const TOrganism&, const TOrganism&) = default;
    };

    TGene10 InitGen;
    std::array<TOrganism, kPlaces> Organisms{};  // place i is Organisms[i - 1]
    uint8_t MutationLimit = 0;
    TSixByteReal ParasiteKillFactor;
    TSixByteReal MutationRate;

    // Grows every organism from the first 10 characters of g, sets the default
    // parameters and reseeds the random source.
    void Init(std::u32string_view g);

    TSixByteReal Identity(const TGene10& gene) const;   // percent of places equal to InitGen
    TSixByteReal GCContent(const TGene10& gene) const;  // percent of places holding G or C

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
    static constexpr std::size_t kCounts = TGene10::kCapacity + 1;  // 0 .. 10 places
    static constexpr std::size_t kClasses = kCounts * kCounts;      // (G/C count 1, G/C count 2)

    struct TPlaceCounts {
        uint8_t GC1, GC2, Id1, Id2;
    };

    TSixByteReal GCFromCount(unsigned c) const;
    TSixByteReal IdentityFromCount(unsigned m) const;
    bool IsLethal(const TPlaceCounts& c) const { return lethal_.Lethal[c.Id1] || lethal_.Lethal[c.Id2]; }
    void MarkLethal(int place, bool lethal);
    void SetBase(int place, bool second, uint32_t position, char32_t base);
    void KillPlaces(int word, uint64_t places);

    std::array<TPlaceCounts, kPlaces> counts_{};
    TLivingSet living_;
    std::array<uint64_t, 2> lethalPlaces_{};  // valid for lethal_'s limit
    unsigned gcTotal_ = 0;                      // G/C places of all chromosomes, dead or alive
    std::array<long double, kCounts> gcValues_{};
    std::array<long double, kCounts> identityValues_{};
    TGCSum gcSum_;
    TParasiteTable<kClasses> parasite_;
    TLethalTable<kCounts> lethal_;
    TMutationBound mutation_;
};

extern TSexualPopulation SexualPopulation;
