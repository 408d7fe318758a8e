#include "base/Exception.h"
#include "base/FloatEnvironment.h"
#include "population/Random.h"
#include "testing/population/ReferencePopulation.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <typeinfo>

// The fast operations against the operation-by-operation reference: same draws in the
// same order, same organisms, same results, same faults, over many runs.
namespace {

struct TRunCase {
    const char* Name;
    std::u32string Gene;
    long double KillFactor;
    long double MutationRate;
    uint8_t MutationLimit;
};

// Test listings show the case's name rather than the bytes of the parameter.
void PrintTo(const TRunCase& c, std::ostream* os)
{
    *os << c.Name;
}

// Runs one step both ways from the same seed. Returns false once a fault ended the run.
template <typename TPopulation, typename TResult>
bool Agree(TPopulation& fast, TPopulation& reference, const std::function<TResult(TPopulation&)>& fastStep,
           const std::function<TResult(TPopulation&)>& referenceStep, const char* what)
{
    const uint32_t seed = RandSeed;
    std::optional<TResult> expected;
    std::string expectedFault;
    try {
        expected = referenceStep(reference);
    } catch (const Exception& e) {
        expectedFault = e.ClassName();
    }
    const uint32_t expectedSeed = RandSeed;
    RandSeed = seed;
    std::optional<TResult> actual;
    std::string actualFault;
    try {
        actual = fastStep(fast);
    } catch (const Exception& e) {
        actualFault = e.ClassName();
    }
    EXPECT_EQ(actualFault, expectedFault) << what;
    EXPECT_EQ(RandSeed, expectedSeed) << what;
    EXPECT_EQ(actual, expected) << what;
    EXPECT_TRUE(fast.Organisms == reference.Organisms) << what;
    return expectedFault.empty() && actualFault.empty() && !::testing::Test::HasFailure();
}

template <typename TPopulation>
void RunBothWays(const TRunCase& c, uint32_t seed, int generations)
{
    SetFloatEnvironment();
    TPopulation fast;
    fast.Init(c.Gene);
    fast.ParasiteKillFactor = Ext2Real(c.KillFactor);
    fast.MutationRate = Ext2Real(c.MutationRate);
    fast.MutationLimit = c.MutationLimit;
    TPopulation reference = fast;
    RandSeed = seed;
    using Step = std::function<int(TPopulation&)>;
    using Measure = std::function<TSixByteReal(TPopulation&)>;
    auto step = [](void (TPopulation::*op)()) {
        return Step([op](TPopulation& p) {
            (p.*op)();
            return 0;
        });
    };
    auto ref = [](void (*op)(TPopulation&)) {
        return Step([op](TPopulation& p) {
            op(p);
            return 0;
        });
    };
    for (int g = 0; g < generations; ++g) {
        SCOPED_TRACE("generation " + std::to_string(g));
        if (!Agree(fast, reference, step(&TPopulation::ParasiteStep), ref(&Reference::ParasiteStep), "ParasiteStep") ||
            !Agree(fast, reference, Measure([](TPopulation& p) { return p.AverageGC(); }),
                   Measure([](TPopulation& p) { return Reference::AverageGC(p); }), "AverageGC") ||
            !Agree(fast, reference, Step([](TPopulation& p) { return int{p.CountLiving()}; }),
                   Step([](TPopulation& p) { return int{Reference::CountLiving(p)}; }), "CountLiving") ||
            !Agree(fast, reference, step(&TPopulation::Mutate), ref(&Reference::Mutate), "Mutate") ||
            !Agree(fast, reference, step(&TPopulation::LethalCheck), ref(&Reference::LethalCheck), "LethalCheck") ||
            !Agree(fast, reference, step(&TPopulation::Reproduce), ref(&Reference::Reproduce), "Reproduce"))
            return;
    }
}

const TRunCase kCases[] = {
    {"Defaults", U"AAATTCCCGG", 1.0L, 3.0L, 30},        // the defaults
    {"HeavyMutation", U"AAATTCCCGG", 0.7L, 25.0L, 45},  // heavy mutation, harsh limit
    {"RichInGC", U"GCGCGCGCGC", 1.3L, 3.0L, 30},
    {"ShortGene", U"ATG", 1.0L, 40.0L, 20},       // short gene: inexact GC sum, mutations past the end
    {"SevenPlaces", U"ACGTACG", 0.9L, 10.0L, 0},  // seven places: every measure a rounded third of 100/7
    {"TwoPlaces", U"CG", 2.0L, 3.0L, 30},
    {"OnePlace", U"G", 1.0L, 50.0L, 90},
    {"Extinction", U"AAATTCCCGG", 3.5L, 3.0L, 30},    // the parasite wipes both populations out
    {"NoParasite", U"AAATTCCCGG", 0.0L, 100.0L, 60},  // nobody dies of the parasite; every sexual organism mutates
    {"NegativeParameters", U"AAATTCCCGG", -1.0L, -5.0L, 255},  // negative factor and rate; every organism lethal
    {"NonAscii", U"ÄÖÜTCCCGGß", 1.0L / 3, 7.77L, 30},          // non-ASCII places, odd factor
    {"OverflowingDraws", U"AAATTCCCGG", 0x1p121L, 3.0L, 30},   // some draws overflow the six-byte product
    {"EmptyGene", U"", 1.0L, 3.0L, 30},                        // empty gene: the sexual measures fault
};

class PopulationAgreement : public ::testing::TestWithParam<TRunCase> {};

TEST_P(PopulationAgreement, SexualMatchesReference)
{
    for (uint32_t seed : {0u, 1u, 49530250u, 0xFFFFFFFFu, 123456789u, 2024u})
        RunBothWays<TSexualPopulation>(GetParam(), seed, 120);
}

TEST_P(PopulationAgreement, AsexualMatchesReference)
{
    for (uint32_t seed : {0u, 1u, 49530250u, 0xFFFFFFFFu, 123456789u, 2024u})
        RunBothWays<TAsexualPopulation>(GetParam(), seed, 120);
}

INSTANTIATE_TEST_SUITE_P(Runs, PopulationAgreement, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<TRunCase>& info) { return std::string(info.param.Name); });

}  // namespace
