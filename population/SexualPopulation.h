#pragma once
// The sexual population: 100 organisms with two chromosomes of up to 10 bases.
// Reproduction combines a chromosome 1 and a chromosome 2 of two living organisms.
#include "Gene.h"
#include "Real48.h"

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
    Real48 ParasiteKillFactor;
    Real48 MutationRate;

    // Grows every organism from the first 10 characters of g, sets the default
    // parameters and reseeds the random source.
    void Init(std::u32string_view g);

    Real48 Identity(const TGene10& gene) const;   // percent of places equal to InitGen
    Real48 GCContent(const TGene10& gene) const;  // percent of places holding G or C

    void ParasiteStep();
    uint8_t CountLiving() const;
    Real48 AverageGC() const;
    void Mutate();
    static char32_t RandomBase();
    void LethalCheck();
    void Reproduce();
};

extern TSexualPopulation SexualPopulation;
