#include "testing/population/ReferencePopulation.h"

#include "population/Random.h"

namespace Reference {

void ParasiteStep(TSexualPopulation& p)
{
    for (auto& o : p.Organisms) {
        const long double gc1 = Real2Ext(p.GCContent(o.Chromosome1));
        const long double a = SixByte((gc1 + Real2Ext(p.GCContent(o.Chromosome2))) * 0.5L);
        const uint32_t r = Random(99) + 1;
        const long double t = SixByte(r * Real2Ext(p.ParasiteKillFactor));
        if (t > a)
            o.Chromosome1.Length = o.Chromosome2.Length = 0;
    }
}

uint8_t CountLiving(const TSexualPopulation& p)
{
    uint8_t n = 0;
    for (const auto& o : p.Organisms)
        n += o.Alive();
    return n;
}

TSixByteReal AverageGC(const TSexualPopulation& p)
{
    long double s = 0;
    for (const auto& o : p.Organisms) {
        const long double gc1 = Real2Ext(p.GCContent(o.Chromosome1));
        s = SixByte(s + gc1 + Real2Ext(p.GCContent(o.Chromosome2)));
    }
    return Ext2Real(s * 0.005L);
}

void Mutate(TSexualPopulation& p)
{
    for (auto& o : p.Organisms) {
        if (!o.Alive() || !(Random(100) < Real2Ext(p.MutationRate)))
            continue;
        TGene10& target = Random() < 0.5L ? o.Chromosome1 : o.Chromosome2;
        const char32_t b = RandomBase();
        target.Places[Random(10)] = b;
    }
}

void LethalCheck(TSexualPopulation& p)
{
    for (auto& o : p.Organisms)
        if (Real2Ext(p.Identity(o.Chromosome1)) < p.MutationLimit ||
            Real2Ext(p.Identity(o.Chromosome2)) < p.MutationLimit)
            o.Chromosome1.Length = o.Chromosome2.Length = 0;
}

void Reproduce(TSexualPopulation& p)
{
    for (auto& child : p.Organisms) {
        if (child.Alive())
            continue;
        const uint32_t n = CountLiving(p);
        const uint32_t a = Random(n);
        const uint32_t b = Random(n);
        if (n == 0)
            continue;
        auto nthLiving = [&p](uint32_t k) -> const TSexualPopulation::TOrganism& {
            for (const auto& o : p.Organisms)
                if (o.Alive() && k-- == 0)
                    return o;
            return p.Organisms[0];
        };
        // Both parents are found before the child comes alive.
        const auto& parentA = nthLiving(a);
        const auto& parentB = nthLiving(b);
        child.Chromosome1 = parentA.Chromosome1;
        child.Chromosome2 = parentB.Chromosome2;
    }
}

void ParasiteStep(TAsexualPopulation& p)
{
    for (auto& o : p.Organisms) {
        const long double a = Real2Ext(p.GCContent(o.Chromosome));
        const uint32_t r = Random(99) + 1;
        const long double t = SixByte(r * Real2Ext(p.ParasiteKillFactor));
        if (t > a)
            o.Chromosome.Length = 0;
    }
}

uint8_t CountLiving(const TAsexualPopulation& p)
{
    uint8_t n = 0;
    for (const auto& o : p.Organisms)
        n += o.Alive();
    return n;
}

TSixByteReal AverageGC(const TAsexualPopulation& p)
{
    long double s = 0;
    for (const auto& o : p.Organisms)
        s = SixByte(s + Real2Ext(p.GCContent(o.Chromosome)));
    return Ext2Real(s * 0.01L);
}

void Mutate(TAsexualPopulation& p)
{
    for (auto& o : p.Organisms) {
        if (!o.Alive() || !(Random(100) < Real2Ext(p.MutationRate) * 0.5L))
            continue;
        if (!(Random() < 0.5L))
            continue;
        const char32_t b = RandomBase();
        o.Chromosome.Places[Random(20)] = b;
    }
}

void LethalCheck(TAsexualPopulation& p)
{
    for (auto& o : p.Organisms)
        if (Real2Ext(p.Identity(o.Chromosome)) < p.MutationLimit)
            o.Chromosome.Length = 0;
}

void Reproduce(TAsexualPopulation& p)
{
    for (auto& child : p.Organisms) {
        if (child.Alive())
            continue;
        const uint32_t n = CountLiving(p);
        uint32_t a = Random(n);
        if (n == 0)
            continue;
        for (const auto& o : p.Organisms)
            if (o.Alive() && a-- == 0) {
                child = o;
                break;
            }
    }
}

}  // namespace Reference
