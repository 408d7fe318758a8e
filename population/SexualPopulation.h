#pragma once
// The sexual population: 100 organisms with two chromosomes of up to 10 bases.
// Reproduction combines a chromosome 1 and a chromosome 2 of two living organisms.
#include "population/Gene.h"
#include "population/GenerationTables.h"
#include "population/PopulationBookkeeping.h"
#include "population/SixByteReal.h"

#include <array>
#include <cstdint>
#include <string_view>

class TSexualPopulation : public TPopulationParameters {
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

    // Grows every organism from the first 10 characters of g, sets the default
    // parameters and reseeds the random source.
    void Init(std::u32string_view g);

    TSixByteReal Identity(const TGene10& gene) const;   // percent of places equal to InitGen
    TSixByteReal GCContent(const TGene10& gene) const;  // percent of places holding G or C

    void ParasiteStep();
    uint8_t CountLiving() const { return FBook.CountLiving(); }
    TSixByteReal AverageGC() const;
    void Mutate();
    void LethalCheck();
    void Reproduce();

    // The operations keep per-organism counts up to date; call this after editing
    // InitGen or Organisms directly (Init does it). Parameter fields need no call.
    void Resync();

private:
    using TBook = TPopulationBookkeeping<TGene10::kCapacity>;
    static constexpr std::size_t kCounts = TBook::kCounts;
    static constexpr std::size_t kClasses = kCounts * kCounts;  // (G/C count 1, G/C count 2)

    struct TPlaceCounts {
        uint8_t GC1, GC2, Id1, Id2;
    };

    TSixByteReal Measure(unsigned count) const;
    bool IsLethal(const TPlaceCounts& c) const { return FBook.Lethal(c.Id1) || FBook.Lethal(c.Id2); }
    std::size_t ClassOf(int place) const { return FCounts[place].GC1 * kCounts + FCounts[place].GC2; }
    void Empty(int place);

    std::array<TPlaceCounts, kPlaces> FCounts{};
    TBook FBook;
    TParasiteTable<kClasses> FParasite;
};

extern TSexualPopulation SexualPopulation;
