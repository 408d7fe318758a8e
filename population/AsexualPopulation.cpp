#include "AsexualPopulation.h"

#include "Random.h"

#include <string>

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
    Randomize();
}

Real48 TAsexualPopulation::GCContent(const TGene20& gene) const
{
    return Ext2Real(static_cast<long double>(CountGC(gene)) * 100 * 0.05L);
}

Real48 TAsexualPopulation::Identity(const TGene20& gene) const
{
    return Ext2Real(static_cast<long double>(CountMatches(gene, InitGen)) * 100 * 0.05L);
}

void TAsexualPopulation::ParasiteStep()
{
    for (TOrganism& o : Organisms) {
        const long double a = Real2Ext(GCContent(o.Chromosome));
        const uint32_t r = Random(99) + 1;
        const long double t = SixByte(r * Real2Ext(ParasiteKillFactor));
        if (t > a)
            o.Chromosome.Length = 0;
    }
}

uint8_t TAsexualPopulation::CountLiving() const
{
    uint8_t n = 0;
    for (const TOrganism& o : Organisms)
        n += o.Alive();
    return n;
}

Real48 TAsexualPopulation::AverageGC() const
{
    long double s = 0;
    for (const TOrganism& o : Organisms)
        s = SixByte(s + Real2Ext(GCContent(o.Chromosome)));
    return Ext2Real(s * 0.01L);
}

char32_t TAsexualPopulation::RandomBase()
{
    static constexpr char32_t kBases[4] = {U'A', U'T', U'C', U'G'};
    return kBases[Random(4)];
}

void TAsexualPopulation::Mutate()
{
    for (TOrganism& o : Organisms) {
        if (!o.Alive() || !(Random(100) < Real2Ext(MutationRate) * 0.5L))
            continue;
        if (!(Random() < 0.5L))
            continue;
        const char32_t b = RandomBase();
        o.Chromosome.Places[Random(20)] = b;
    }
}

void TAsexualPopulation::LethalCheck()
{
    for (TOrganism& o : Organisms)
        if (Real2Ext(Identity(o.Chromosome)) < MutationLimit)
            o.Chromosome.Length = 0;
}

void TAsexualPopulation::Reproduce()
{
    for (TOrganism& child : Organisms) {
        if (child.Alive())
            continue;
        const uint32_t n = CountLiving();
        uint32_t a = Random(n);
        if (n == 0)
            continue;
        for (const TOrganism& o : Organisms)
            if (o.Alive() && a-- == 0) {
                child = o;
                break;
            }
    }
}
