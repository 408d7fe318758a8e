#include "population/AsexualPopulation.h"

#include "population/FloatEnvironment.h"
#include "population/Random.h"

#include <bit>

TAsexualPopulation AsexualPopulation;

void TAsexualPopulation::Init(std::u32string_view g)
{
    InitGen.Assign(g);
    MutationLimit = 30;
    ParasiteKillFactor = Ext2Real(1.0L);
    MutationRate = Ext2Real(3.0L);
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
    living_.Clear();
    gcTotal_ = 0;
    for (int i = 0; i < kPlaces; ++i) {
        const TGene20& gene = Organisms[i].Chromosome;
        counts_[i] = {static_cast<uint8_t>(CountGC(gene)), static_cast<uint8_t>(CountMatches(gene, InitGen))};
        gcTotal_ += counts_[i].GC;
        if (gene.Alive())
            living_.Set(i);
    }
    for (unsigned c = 0; c < kCounts; ++c) {
        gcValues_[c] = Real2Ext(GCFromCount(c));
        identityValues_[c] = Real2Ext(IdentityFromCount(c));
    }
    static_assert(kPlaces * TGene20::kCapacity == TGCSum::kMaxTotal);
    gcSum_.Build(gcValues_, 0.01L);
    parasite_.Valid = false;
    lethal_.Valid = false;
}

// A fixed divisor of 20 places, whatever the initial gene's length.
TSixByteReal TAsexualPopulation::GCFromCount(unsigned c) const
{
    return Ext2Real(static_cast<long double>(c) * 100 * 0.05L);
}

TSixByteReal TAsexualPopulation::IdentityFromCount(unsigned m) const
{
    return Ext2Real(static_cast<long double>(m) * 100 * 0.05L);
}

TSixByteReal TAsexualPopulation::GCContent(const TGene20& gene) const
{
    return GCFromCount(CountGC(gene));
}

TSixByteReal TAsexualPopulation::Identity(const TGene20& gene) const
{
    return IdentityFromCount(CountMatches(gene, InitGen));
}

char32_t TAsexualPopulation::RandomBase()
{
    return kBases[Random(4)];
}

uint8_t TAsexualPopulation::CountLiving() const
{
    return static_cast<uint8_t>(living_.Count());
}

void TAsexualPopulation::KillPlaces(int word, uint64_t places)
{
    for (uint64_t bits = places; bits != 0; bits &= bits - 1)
        Organisms[64 * word + std::countr_zero(bits)].Chromosome.Length = 0;
    living_.RemoveWord(word, places);
}

void TAsexualPopulation::ParasiteStep()
{
    if (!parasite_.Valid || !(parasite_.Factor == ParasiteKillFactor))
        parasite_.Build(gcValues_, ParasiteKillFactor);
    const TParasiteDraws draws = parasite_.Draw(RandSeed, [this](int place) { return counts_[place].GC; });
    RandSeed = draws.Seed;
    KillPlaces(0, draws.Killed[0]);
    KillPlaces(1, draws.Killed[1]);
    if (draws.Overflow)
        RaiseFloatFault(TFloatFault::Overflow);
}

TSixByteReal TAsexualPopulation::AverageGC() const
{
    if (gcSum_.Exact)
        return gcSum_.Averages[gcTotal_];
    uint64_t s = 0;
    for (const TPlaceCounts& c : counts_)
        s = TGCSum::RoundBits(s + gcSum_.Bits[c.GC]);
    return Ext2Real(gcSum_.FromBits(s) * 0.01L);
}

void TAsexualPopulation::MarkLethal(int place, bool lethal)
{
    const uint64_t bit = uint64_t{1} << (place & 63);
    lethalPlaces_[place >> 6] = (lethalPlaces_[place >> 6] & ~bit) | (lethal ? bit : 0);
}

void TAsexualPopulation::Mutate()
{
    if (!mutation_.Valid || !(mutation_.Rate == MutationRate))
        mutation_.Build(MutationRate, Real2Ext(MutationRate) * 0.5L);
    // Mutation does not change who lives, so the j-th living organism is found on demand.
    RandSeed = mutation_.Scan(RandSeed, living_.Count(), [this](uint32_t j, uint32_t seed) {
        seed = NextSeed(seed);  // f = Random(); only below 0.5 does the mutation happen
        if (seed >= 0x80000000u)
            return seed;
        seed = NextSeed(seed);
        const char32_t base = kBases[ScaleSeed(seed, 4)];
        seed = NextSeed(seed);
        SetBase(living_.Select(j), ScaleSeed(seed, 20), base);
        return seed;
    });
}

void TAsexualPopulation::SetBase(int place, uint32_t position, char32_t base)
{
    TGene20& gene = Organisms[place].Chromosome;
    TPlaceCounts& c = counts_[place];
    const char32_t old = gene.Places[position];
    const char32_t init = InitGen.Places[position];
    gene.Places[position] = base;
    c.GC = static_cast<uint8_t>(c.GC + IsGC(base) - IsGC(old));
    gcTotal_ = gcTotal_ + IsGC(base) - IsGC(old);
    c.Id = static_cast<uint8_t>(c.Id + (init != U'\0' && base == init) - (init != U'\0' && old == init));
    MarkLethal(place, lethal_.Lethal[c.Id]);
}

void TAsexualPopulation::LethalCheck()
{
    if (!lethal_.Valid || lethal_.Limit != MutationLimit) {
        lethal_.Build(identityValues_, MutationLimit);
        for (int i = 0; i < kPlaces; ++i)
            MarkLethal(i, lethal_.Lethal[counts_[i].Id]);
    }
    KillPlaces(0, lethalPlaces_[0]);
    KillPlaces(1, lethalPlaces_[1]);
}

void TAsexualPopulation::Reproduce()
{
    const uint32_t start = RandSeed;
    uint32_t draws = 0;
    for (int w = 0; w < 2; ++w)
        for (uint64_t dead = living_.DeadWord(w); dead != 0; dead &= dead - 1) {
            const auto n = static_cast<uint32_t>(living_.Count());
            const uint32_t seed = kJumps[++draws](start);
            if (n == 0)
                continue;
            const int place = 64 * w + std::countr_zero(dead);
            const int parent = living_.Select(ScaleSeed(seed, n));
            Organisms[place] = Organisms[parent];
            gcTotal_ += counts_[parent].GC - counts_[place].GC;
            counts_[place] = counts_[parent];
            MarkLethal(place, lethal_.Lethal[counts_[parent].Id]);
            living_.Set(place);
        }
    RandSeed = kJumps[draws](start);
}
