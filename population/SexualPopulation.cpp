#include "population/SexualPopulation.h"

#include "population/FloatEnvironment.h"
#include "population/Random.h"

#include <bit>

TSexualPopulation SexualPopulation;

void TSexualPopulation::Init(std::u32string_view g)
{
    InitGen.Assign(g);
    MutationLimit = 30;
    ParasiteKillFactor = Ext2Real(1.0L);
    MutationRate = Ext2Real(3.0L);
    for (TOrganism& o : Organisms)
        o = {InitGen, InitGen};
    Resync();
    Randomize();
}

void TSexualPopulation::Resync()
{
    living_.Clear();
    gcTotal_ = 0;
    for (int i = 0; i < kPlaces; ++i) {
        const TOrganism& o = Organisms[i];
        TPlaceCounts& c = counts_[i];
        c.GC1 = static_cast<uint8_t>(CountGC(o.Chromosome1));
        c.GC2 = static_cast<uint8_t>(CountGC(o.Chromosome2));
        c.Id1 = static_cast<uint8_t>(CountMatches(o.Chromosome1, InitGen));
        c.Id2 = static_cast<uint8_t>(CountMatches(o.Chromosome2, InitGen));
        gcTotal_ += c.GC1 + c.GC2;
        if (o.Alive())
            living_.Set(i);
    }
    parasite_.Valid = false;
    lethal_.Valid = false;
    if (InitGen.Length == 0)
        return;  // every measure divides by zero; the operations raise on their first one
    for (unsigned c = 0; c < kCounts; ++c) {
        gcValues_[c] = Real2Ext(GCFromCount(c));
        identityValues_[c] = Real2Ext(IdentityFromCount(c));
    }
    static_assert(2 * kPlaces * TGene10::kCapacity == TGCSum::kMaxTotal);
    gcSum_.Build(gcValues_, 0.005L);
}

TSixByteReal TSexualPopulation::GCFromCount(unsigned c) const
{
    return Ext2Real(static_cast<long double>(c) * 100 / static_cast<long double>(InitGen.Length));
}

TSixByteReal TSexualPopulation::IdentityFromCount(unsigned m) const
{
    return Ext2Real(static_cast<long double>(m) * 100 / static_cast<long double>(InitGen.Length));
}

TSixByteReal TSexualPopulation::GCContent(const TGene10& gene) const
{
    return GCFromCount(CountGC(gene));
}

TSixByteReal TSexualPopulation::Identity(const TGene10& gene) const
{
    return IdentityFromCount(CountMatches(gene, InitGen));
}

char32_t TSexualPopulation::RandomBase()
{
    return kBases[Random(4)];
}

uint8_t TSexualPopulation::CountLiving() const
{
    return static_cast<uint8_t>(living_.Count());
}

void TSexualPopulation::KillPlaces(int word, uint64_t places)
{
    for (uint64_t bits = places; bits != 0; bits &= bits - 1) {
        TOrganism& o = Organisms[64 * word + std::countr_zero(bits)];
        o.Chromosome1.Length = o.Chromosome2.Length = 0;
    }
    living_.RemoveWord(word, places);
}

void TSexualPopulation::ParasiteStep()
{
    if (InitGen.Length == 0)
        GCContent(Organisms[0].Chromosome1);  // divides by zero: raises
    if (!parasite_.Valid || !(parasite_.Factor == ParasiteKillFactor)) {
        std::array<long double, kClasses> averages;
        for (std::size_t c1 = 0; c1 < kCounts; ++c1)
            for (std::size_t c2 = 0; c2 < kCounts; ++c2)
                averages[c1 * kCounts + c2] = SixByte((gcValues_[c1] + gcValues_[c2]) * 0.5L);
        parasite_.Build(averages, ParasiteKillFactor);
    }
    const TParasiteDraws draws = parasite_.Draw(RandSeed, [this](int place) {
        return counts_[place].GC1 * kCounts + counts_[place].GC2;
    });
    RandSeed = draws.Seed;
    // Dead places are killed again; only their lengths are touched, and those are 0.
    KillPlaces(0, draws.Killed[0]);
    KillPlaces(1, draws.Killed[1]);
    if (draws.Overflow)
        RaiseFloatFault(TFloatFault::Overflow);
}

TSixByteReal TSexualPopulation::AverageGC() const
{
    if (InitGen.Length == 0)
        GCContent(Organisms[0].Chromosome1);  // divides by zero: raises
    if (gcSum_.Exact)
        return gcSum_.Averages[gcTotal_];
    uint64_t s = 0;
    for (const TPlaceCounts& c : counts_)
        s = TGCSum::RoundBits(s + gcSum_.Bits[c.GC1] + gcSum_.Bits[c.GC2]);
    return Ext2Real(gcSum_.FromBits(s) * 0.005L);
}

void TSexualPopulation::MarkLethal(int place, bool lethal)
{
    const uint64_t bit = uint64_t{1} << (place & 63);
    lethalPlaces_[place >> 6] = (lethalPlaces_[place >> 6] & ~bit) | (lethal ? bit : 0);
}

void TSexualPopulation::SetBase(int place, bool second, uint32_t position, char32_t base)
{
    TGene10& gene = second ? Organisms[place].Chromosome2 : Organisms[place].Chromosome1;
    TPlaceCounts& c = counts_[place];
    uint8_t& gc = second ? c.GC2 : c.GC1;
    uint8_t& id = second ? c.Id2 : c.Id1;
    const char32_t old = gene.Places[position];
    const char32_t init = InitGen.Places[position];
    gene.Places[position] = base;
    gc = static_cast<uint8_t>(gc + IsGC(base) - IsGC(old));
    gcTotal_ = gcTotal_ + IsGC(base) - IsGC(old);
    id = static_cast<uint8_t>(id + (init != U'\0' && base == init) - (init != U'\0' && old == init));
    MarkLethal(place, IsLethal(c));
}

void TSexualPopulation::Mutate()
{
    if (!mutation_.Valid || !(mutation_.Rate == MutationRate))
        mutation_.Build(MutationRate, Real2Ext(MutationRate));
    // Mutation does not change who lives, so the j-th living organism is found on demand.
    RandSeed = mutation_.Scan(RandSeed, living_.Count(), [this](uint32_t j, uint32_t seed) {
        seed = NextSeed(seed);  // f = Random(); below 0.5 picks chromosome 1
        const bool second = seed >= 0x80000000u;
        seed = NextSeed(seed);
        const char32_t base = kBases[ScaleSeed(seed, 4)];
        seed = NextSeed(seed);
        SetBase(living_.Select(j), second, ScaleSeed(seed, 10), base);
        return seed;
    });
}

void TSexualPopulation::LethalCheck()
{
    if (InitGen.Length == 0)
        Identity(Organisms[0].Chromosome1);  // divides by zero: raises
    if (!lethal_.Valid || lethal_.Limit != MutationLimit) {
        lethal_.Build(identityValues_, MutationLimit);
        for (int i = 0; i < kPlaces; ++i)
            MarkLethal(i, IsLethal(counts_[i]));
    }
    KillPlaces(0, lethalPlaces_[0]);
    KillPlaces(1, lethalPlaces_[1]);
}

void TSexualPopulation::Reproduce()
{
    const uint32_t start = RandSeed;
    uint32_t draws = 0;
    for (int w = 0; w < 2; ++w)
        for (uint64_t dead = living_.DeadWord(w); dead != 0; dead &= dead - 1) {
            const auto n = static_cast<uint32_t>(living_.Count());
            const uint32_t seedA = kJumps[draws + 1](start);
            const uint32_t seedB = kJumps[draws + 2](start);
            draws += 2;
            if (n == 0)
                continue;
            const int place = 64 * w + std::countr_zero(dead);
            const int parentA = living_.Select(ScaleSeed(seedA, n));
            const int parentB = living_.Select(ScaleSeed(seedB, n));
            Organisms[place] = {Organisms[parentA].Chromosome1, Organisms[parentB].Chromosome2};
            TPlaceCounts& c = counts_[place];
            gcTotal_ -= c.GC1 + c.GC2;
            c = {counts_[parentA].GC1, counts_[parentB].GC2, counts_[parentA].Id1, counts_[parentB].Id2};
            gcTotal_ += c.GC1 + c.GC2;
            MarkLethal(place, IsLethal(c));
            living_.Set(place);
        }
    RandSeed = kJumps[draws](start);
}
