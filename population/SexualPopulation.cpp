#include "population/SexualPopulation.h"

#include "population/Random.h"

TSexualPopulation SexualPopulation;

void TSexualPopulation::Init(std::u32string_view g)
{
    InitGen.Assign(g);
    SetDefaults();
    for (TOrganism& o : Organisms)
        o = {InitGen, InitGen};
    Resync();
    Randomize();
}

void TSexualPopulation::Resync()
{
    FBook.Clear();
    for (int i = 0; i < kPlaces; ++i) {
        const TOrganism& o = Organisms[i];
        TPlaceCounts& c = FCounts[i];
        c.GC1 = static_cast<uint8_t>(CountGC(o.Chromosome1));
        c.GC2 = static_cast<uint8_t>(CountGC(o.Chromosome2));
        c.Id1 = static_cast<uint8_t>(CountMatches(o.Chromosome1, InitGen));
        c.Id2 = static_cast<uint8_t>(CountMatches(o.Chromosome2, InitGen));
        FBook.AddPlace(i, o.Alive(), c.GC1 + c.GC2);
    }
    FParasite.Valid = false;
    if (InitGen.Length == 0)
        return;  // every measure divides by zero; the operations raise on their first one
    static_assert(std::size_t{2} * kPlaces * TGene10::kCapacity == TGCSum::kMaxTotal);
    FBook.BuildMeasures([this](unsigned c) { return Measure(c); }, 0.005L);
}

TSixByteReal TSexualPopulation::Measure(unsigned count) const
{
    return Ext2Real(static_cast<long double>(count) * 100 / static_cast<long double>(InitGen.Length));
}

TSixByteReal TSexualPopulation::GCContent(const TGene10& gene) const
{
    return Measure(CountGC(gene));
}

TSixByteReal TSexualPopulation::Identity(const TGene10& gene) const
{
    return Measure(CountMatches(gene, InitGen));
}

void TSexualPopulation::Empty(int place)
{
    TOrganism& o = Organisms[place];
    o.Chromosome1.Length = o.Chromosome2.Length = 0;
}

void TSexualPopulation::ParasiteStep()
{
    if (InitGen.Length == 0)
        GCContent(Organisms[0].Chromosome1);  // divides by zero: raises
    if (!FParasite.Valid || !(FParasite.Factor == ParasiteKillFactor)) {
        const TBook::TMeasures& gc = FBook.Measures();
        std::array<long double, kClasses> averages;
        for (std::size_t c1 = 0; c1 < kCounts; ++c1)
            for (std::size_t c2 = 0; c2 < kCounts; ++c2)
                averages[c1 * kCounts + c2] = SixByte((gc[c1] + gc[c2]) * 0.5L);
        FParasite.Build(averages, ParasiteKillFactor, [this](int place) { return ClassOf(place); });
    }
    const TParasiteDraws draws = FParasite.Draw(RandSeed, [this](int place) { return ClassOf(place); });
    FBook.KillDrawn(draws, [this](int place) { Empty(place); });
}

TSixByteReal TSexualPopulation::AverageGC() const
{
    if (InitGen.Length == 0)
        GCContent(Organisms[0].Chromosome1);  // divides by zero: raises
    return FBook.AverageGC(
        [this](const TGCSum& sum, int place) { return sum.Bits[FCounts[place].GC1] + sum.Bits[FCounts[place].GC2]; });
}

void TSexualPopulation::Mutate()
{
    FBook.Mutate(MutationRate, 1.0L, [this](int place, uint32_t seed) {
        seed = NextSeed(seed);  // f = Random(); below 0.5 picks chromosome 1
        const bool second = seed >= 0x80000000u;
        seed = NextSeed(seed);
        const char32_t base = kBases[ScaleSeed(seed, 4)];
        seed = NextSeed(seed);
        const uint32_t position = ScaleSeed(seed, 10);
        TOrganism& o = Organisms[place];
        TPlaceCounts& c = FCounts[place];
        FBook.SetBase(second ? o.Chromosome2 : o.Chromosome1, position, base, InitGen.Places[position],
                      second ? c.GC2 : c.GC1, second ? c.Id2 : c.Id1);
        FParasite.Place(place, ClassOf(place));
        FBook.MarkLethal(place, IsLethal(c));
        return seed;
    });
}

void TSexualPopulation::LethalCheck()
{
    if (InitGen.Length == 0)
        Identity(Organisms[0].Chromosome1);  // divides by zero: raises
    FBook.LethalCheck(
        MutationLimit, [this](int place) { return IsLethal(FCounts[place]); }, [this](int place) { Empty(place); });
}

void TSexualPopulation::Reproduce()
{
    FBook.Reproduce<2>([this](int place, const std::array<int, 2>& parents) {
        const auto [a, b] = parents;
        Organisms[place] = {Organisms[a].Chromosome1, Organisms[b].Chromosome2};
        TPlaceCounts& c = FCounts[place];
        const unsigned oldGC = c.GC1 + c.GC2;
        c = {FCounts[a].GC1, FCounts[b].GC2, FCounts[a].Id1, FCounts[b].Id2};
        FBook.ReplaceGC(oldGC, c.GC1 + c.GC2);
        FParasite.Place(place, ClassOf(place));
        FBook.MarkLethal(place, IsLethal(c));
    });
}
