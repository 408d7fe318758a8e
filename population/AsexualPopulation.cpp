#include "population/AsexualPopulation.h"

#include "population/Random.h"

#include <algorithm>

TAsexualPopulation AsexualPopulation;

void TAsexualPopulation::Init(std::u32string_view g)
{
    InitGen.Assign(g);
    SetDefaults();
    char32_t twice[2 * TGene20::kCapacity];
    const auto init = InitGen.Text();
    std::copy(init.begin(), init.end(), twice);
    std::copy(init.begin(), init.end(), twice + init.size());
    for (TOrganism& o : Organisms)
        o.Chromosome.Assign({twice, 2 * init.size()});
    Resync();
    Randomize();
}

void TAsexualPopulation::Resync()
{
    FBook.Clear();
    for (int i = 0; i < kPlaces; ++i) {
        const TGene20& gene = Organisms[i].Chromosome;
        FCounts[i] = {static_cast<uint8_t>(CountGC(gene)), static_cast<uint8_t>(CountMatches(gene, InitGen))};
        FBook.AddPlace(i, gene.Alive(), FCounts[i].GC);
    }
    static_assert(kPlaces * TGene20::kCapacity == TGCSum::kMaxTotal);
    FBook.BuildMeasures(Measure, 0.01L);
    FParasite.Valid = false;
}

// A fixed divisor of 20 places, whatever the initial gene's length.
TSixByteReal TAsexualPopulation::Measure(unsigned count)
{
    return Ext2Real(static_cast<long double>(count) * 100 * 0.05L);
}

TSixByteReal TAsexualPopulation::GCContent(const TGene20& gene) const
{
    return Measure(CountGC(gene));
}

TSixByteReal TAsexualPopulation::Identity(const TGene20& gene) const
{
    return Measure(CountMatches(gene, InitGen));
}

void TAsexualPopulation::ParasiteStep()
{
    if (!FParasite.Valid || !(FParasite.Factor == ParasiteKillFactor))
        FParasite.Build(FBook.Measures(), ParasiteKillFactor, [this](int place) { return FCounts[place].GC; });
    const TParasiteDraws draws = FParasite.Draw(RandSeed, [this](int place) { return FCounts[place].GC; });
    FBook.KillDrawn(draws, [this](int place) { Organisms[place].Chromosome.Length = 0; });
}

TSixByteReal TAsexualPopulation::AverageGC() const
{
    return FBook.AverageGC([this](const TGCSum& sum, int place) { return sum.Bits[FCounts[place].GC]; });
}

void TAsexualPopulation::Mutate()
{
    FBook.Mutate(MutationRate, 0.5L, [this](int place, uint32_t seed) {
        seed = NextSeed(seed);  // f = Random(); only below 0.5 does the mutation happen
        if (seed >= 0x80000000u)
            return seed;
        seed = NextSeed(seed);
        const char32_t base = kBases[ScaleSeed(seed, 4)];
        seed = NextSeed(seed);
        const uint32_t position = ScaleSeed(seed, 20);
        TPlaceCounts& c = FCounts[place];
        FBook.SetBase(Organisms[place].Chromosome, position, base, InitGen.Places[position], c.GC, c.Id);
        FParasite.Place(place, c.GC);
        FBook.MarkLethal(place, FBook.Lethal(c.Id));
        return seed;
    });
}

void TAsexualPopulation::LethalCheck()
{
    FBook.LethalCheck(
        MutationLimit, [this](int place) { return FBook.Lethal(FCounts[place].Id); },
        [this](int place) { Organisms[place].Chromosome.Length = 0; });
}

void TAsexualPopulation::Reproduce()
{
    FBook.Reproduce<1>([this](int place, const std::array<int, 1>& parents) {
        const int parent = parents[0];
        Organisms[place] = Organisms[parent];
        FBook.ReplaceGC(FCounts[place].GC, FCounts[parent].GC);
        FCounts[place] = FCounts[parent];
        FParasite.Place(place, FCounts[place].GC);
        FBook.MarkLethal(place, FBook.Lethal(FCounts[parent].Id));
    });
}
