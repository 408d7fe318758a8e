#include "SexualPopulation.h"

#include "Random.h"

TSexualPopulation SexualPopulation;

void TSexualPopulation::Init(std::u32string_view g)
{
    InitGen.Assign(g);
    MutationLimit = 30;
    ParasiteKillFactor = Ext2Real(1.0L);
    MutationRate = Ext2Real(3.0L);
    for (TOrganism& o : Organisms)
        o = {InitGen, InitGen};
    Randomize();
}

Real48 TSexualPopulation::GCContent(const TGene10& gene) const
{
    return Ext2Real(static_cast<long double>(CountGC(gene)) * 100 / static_cast<long double>(InitGen.Length));
}

Real48 TSexualPopulation::Identity(const TGene10& gene) const
{
    return Ext2Real(static_cast<long double>(CountMatches(gene, InitGen)) * 100 /
                    static_cast<long double>(InitGen.Length));
}

void TSexualPopulation::ParasiteStep()
{
    for (TOrganism& o : Organisms) {
        const long double gc1 = Real2Ext(GCContent(o.Chromosome1));
        const long double a = SixByte((gc1 + Real2Ext(GCContent(o.Chromosome2))) * 0.5L);
        const uint32_t r = Random(99) + 1;
        const long double t = SixByte(r * Real2Ext(ParasiteKillFactor));
        if (t > a)
            o.Chromosome1.Length = o.Chromosome2.Length = 0;
    }
}

uint8_t TSexualPopulation::CountLiving() const
{
    uint8_t n = 0;
    for (const TOrganism& o : Organisms)
        n += o.Alive();
    return n;
}

Real48 TSexualPopulation::AverageGC() const
{
    long double s = 0;
    for (const TOrganism& o : Organisms) {
        const long double gc1 = Real2Ext(GCContent(o.Chromosome1));
        s = SixByte(s + gc1 + Real2Ext(GCContent(o.Chromosome2)));
    }
    return Ext2Real(s * 0.005L);
}

char32_t TSexualPopulation::RandomBase()
{
    static constexpr char32_t kBases[4] = {U'A', U'T', U'C', U'G'};
    return kBases[Random(4)];
}

void TSexualPopulation::Mutate()
{
    for (TOrganism& o : Organisms) {
        if (!o.Alive() || !(Random(100) < Real2Ext(MutationRate)))
            continue;
        TGene10& target = Random() < 0.5L ? o.Chromosome1 : o.Chromosome2;
        const char32_t b = RandomBase();
        target.Places[Random(10)] = b;
    }
}

void TSexualPopulation::LethalCheck()
{
    for (TOrganism& o : Organisms)
        if (Real2Ext(Identity(o.Chromosome1)) < MutationLimit || Real2Ext(Identity(o.Chromosome2)) < MutationLimit)
            o.Chromosome1.Length = o.Chromosome2.Length = 0;
}

void TSexualPopulation::Reproduce()
{
    for (TOrganism& child : Organisms) {
        if (child.Alive())
            continue;
        const uint32_t n = CountLiving();
        const uint32_t a = Random(n);
        const uint32_t b = Random(n);
        if (n == 0)
            continue;
        auto nthLiving = [this](uint32_t k) -> const TOrganism& {
            for (const TOrganism& o : Organisms)
                if (o.Alive() && k-- == 0)
                    return o;
            return Organisms[0];
        };
        child.Chromosome1 = nthLiving(a).Chromosome1;
        child.Chromosome2 = nthLiving(b).Chromosome2;
    }
}
