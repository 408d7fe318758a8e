#pragma once
// The asexual population: 100 organisms with one chromosome of up to 20 bases,
// grown from the initial gene written twice. Reproduction copies one living organism.
#include "Gene.h"
#include "Real48.h"

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
    Real48 ParasiteKillFactor;
    Real48 MutationRate;

    // InitGen takes the first 20 characters of g; every chromosome is InitGen
    // followed by InitGen, cut to 20 places. Sets the default parameters and reseeds.
    void Init(std::u32string_view g);

    Real48 Identity(const TGene20& gene) const;   // percent of places equal to InitGen
    Real48 GCContent(const TGene20& gene) const;  // percent of places holding G or C

    void ParasiteStep();
    uint8_t CountLiving() const;
    Real48 AverageGC() const;
    void Mutate();
    static char32_t RandomBase();
    void LethalCheck();
    void Reproduce();
};

extern TAsexualPopulation AsexualPopulation;
