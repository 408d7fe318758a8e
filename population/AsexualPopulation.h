#pragma once
// The asexual population: 100 organisms with one chromosome of up to 20 bases,
// grown from the initial gene written twice. Reproduction copies one living organism.
#include "population/Gene.h"
#include "population/GenerationTables.h"
#include "population/PopulationBookkeeping.h"
#include "population/SixByteReal.h"

#include <array>
#include <cstdint>
#include <string_view>

class TAsexualPopulation : public TPopulationParameters {
public:
    static constexpr int kPlaces = 100;

    struct TOrganism {
        TGene20 Chromosome;

        bool Alive() const { return Chromosome.Alive(); }
        friend bool operator==(const TOrganism&, const TOrganism&) = default;
    };

    TGene20 InitGen;
    std::array<TOrganism, kPlaces> Organisms{};  // place i is Organisms[i - 1]

    // InitGen takes the first 20 characters of g; every chromosome is InitGen
    // followed by InitGen, cut to 20 places. Sets the default parameters and reseeds.
    void Init(std::u32string_view g);

    TSixByteReal Identity(const TGene20& gene) const;   // percent of places equal to InitGen
    TSixByteReal GCContent(const TGene20& gene) const;  // percent of places holding G or C

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
    using TBook = TPopulationBookkeeping<TGene20::kCapacity>;

    struct TPlaceCounts {
        uint8_t GC, Id;
    };

    static TSixByteReal Measure(unsigned count);

    std::array<TPlaceCounts, kPlaces> FCounts{};
    TBook FBook;
    TParasiteTable<TBook::kCounts> FParasite;
};

extern TAsexualPopulation AsexualPopulation;
