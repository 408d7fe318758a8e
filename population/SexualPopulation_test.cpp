#include "population/SexualPopulation.h"

#include "population/Exception.h"
#include "population/FloatEnvironment.h"
#include "population/Random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

class SexualPopulationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetFloatEnvironment();
        FPopulation.Init(U"AAATTCCCGG");
        RandSeed = 0;
    }

    // A seed whose next Random(99) + 1 is r.
    static uint32_t SeedDrawing(uint32_t r)
    {
        uint32_t seed = 0;
        while (ScaleSeed(NextSeed(seed), 99) + 1 != r)
            seed += 1;
        return seed;
    }

    TSexualPopulation FPopulation;
};

TEST_F(SexualPopulationTest, InitGrowsEveryOrganismFromTheGene)
{
    EXPECT_EQ(FPopulation.InitGen.Text(), U"AAATTCCCGG");
    EXPECT_EQ(FPopulation.CountLiving(), 100);
    for (const auto& o : FPopulation.Organisms) {
        EXPECT_EQ(Real2Ext(FPopulation.Identity(o.Chromosome2)), 100.0L);
        EXPECT_EQ(Real2Ext(FPopulation.GCContent(o.Chromosome1)), 50.0L);
    }
    EXPECT_EQ(Real2Ext(FPopulation.AverageGC()), 50.0L);

    // Ten characters at most; the places beyond a short gene hold no base.
    FPopulation.Init(U"GGGGGGGGGGGG");
    EXPECT_EQ(FPopulation.InitGen.Text(), U"GGGGGGGGGG");
    FPopulation.Init(U"CÄT");
    EXPECT_EQ(FPopulation.Organisms[99].Chromosome2.Text(), U"CÄT");
    EXPECT_EQ(FPopulation.Organisms[99].Chromosome2.Places[3], U'\0');
    EXPECT_EQ(Real2Ext(FPopulation.GCContent(FPopulation.Organisms[0].Chromosome1)), SixByte(100.0L / 3));
}

TEST_F(SexualPopulationTest, ParasiteKillsAtGCFiftyExactlyForDrawsAboveFifty)
{
    for (uint32_t r : {1u, 50u, 51u, 99u}) {
        FPopulation.Init(U"AAATTCCCGG");
        RandSeed = SeedDrawing(r);
        FPopulation.ParasiteStep();
        EXPECT_EQ(FPopulation.Organisms[0].Alive(), r <= 50) << r;
    }
    for (long double factor : {0.0L, -2.5L}) {  // no force: nobody dies
        FPopulation.Init(U"AAATTCCCGG");
        FPopulation.ParasiteKillFactor = Ext2Real(factor);
        FPopulation.ParasiteStep();
        EXPECT_EQ(FPopulation.CountLiving(), 100);
    }
}

TEST_F(SexualPopulationTest, ExtinctPopulationKeepsItsDivisorAndDrawing)
{
    FPopulation.ParasiteKillFactor = Ext2Real(1e6L);
    FPopulation.ParasiteStep();
    EXPECT_EQ(FPopulation.CountLiving(), 0);
    EXPECT_EQ(Real2Ext(FPopulation.AverageGC()), 50.0L);  // the dead keep their bases; divisor 200
    const uint32_t before = RandSeed;
    FPopulation.Reproduce();
    EXPECT_EQ(FPopulation.CountLiving(), 0);
    EXPECT_EQ(RandSeed, SeedJump(200)(before));  // two draws per place
}

TEST_F(SexualPopulationTest, AverageGCShowsSixByteRounding)
{
    // 999 G/C places of 2000, each worth 10: a sum of 9990, then times 0.005.
    for (auto& o : FPopulation.Organisms)
        o.Chromosome1 = o.Chromosome2 = TGene10{{U'G', U'C', U'G', U'C', U'G', U'A', U'A', U'A', U'A', U'A'}, 10};
    FPopulation.Organisms[0].Chromosome1.Places[0] = U'A';
    FPopulation.Resync();
    EXPECT_EQ(Real2Ext(FPopulation.AverageGC()), std::ldexp(858134465741.0L, -34));  // 49,9500000000116
    for (int i = 1; i < 9; ++i)
        FPopulation.Organisms[i].Chromosome2.Places[0] = U'T';
    FPopulation.Resync();
    EXPECT_EQ(Real2Ext(FPopulation.AverageGC()), std::ldexp(851262518067.0L, -34));  // 49,5499999999884
}

TEST_F(SexualPopulationTest, EmptyGeneIsAnInvalidOperation)
{
    FPopulation.Init(U"");
    RandSeed = 0;
    EXPECT_EQ(FPopulation.CountLiving(), 0);
    try {
        FPopulation.ParasiteStep();
        FAIL() << "no fault";
    } catch (const EInvalidOp& e) {
        EXPECT_STREQ(e.what(), "Fehler bei Gleitkomma-Operation");
    }
    EXPECT_EQ(RandSeed, 0u) << "raised before the first draw";
    EXPECT_THROW(FPopulation.AverageGC(), EInvalidOp);
    EXPECT_THROW(FPopulation.LethalCheck(), EInvalidOp);
    EXPECT_NO_THROW(CheckFloatFaults()) << "flags cleared after the fault";
}

TEST_F(SexualPopulationTest, HugeKillFactorOverflows)
{
    FPopulation.ParasiteKillFactor = Ext2Real(std::ldexp(1.0L, 126));
    RandSeed = SeedDrawing(1);  // 1 × 2^126 fits; the second place's draw does not
    try {
        FPopulation.ParasiteStep();
        FAIL() << "no fault";
    } catch (const EOverflow& e) {
        EXPECT_STREQ(e.what(), "Überlauf bei Gleitkomma-Operation");
    }
    EXPECT_EQ(RandSeed, SeedJump(2)(SeedDrawing(1)));
    EXPECT_FALSE(FPopulation.Organisms[0].Alive()) << "the first place's kill stands";
    EXPECT_TRUE(FPopulation.Organisms[1].Alive());
}

TEST_F(SexualPopulationTest, MutationLimitDecidesTheLethalCheck)
{
    for (auto& o : FPopulation.Organisms)
        o.Chromosome2.Places = {U'A', U'A', U'T', U'A', U'A', U'G', U'G', U'G', U'C', U'C'};  // 2 of 10 match
    FPopulation.Resync();
    FPopulation.MutationLimit = 20;
    FPopulation.LethalCheck();
    EXPECT_EQ(FPopulation.CountLiving(), 100);
    FPopulation.MutationLimit = 21;
    FPopulation.LethalCheck();
    EXPECT_EQ(FPopulation.CountLiving(), 0);
    EXPECT_EQ(FPopulation.Organisms[5].Chromosome2.Length, 0);
}

TEST_F(SexualPopulationTest, EveryLivingOrganismMutatesAtRateHundred)
{
    FPopulation.MutationRate = Ext2Real(100.0L);
    FPopulation.MutationLimit = 0;
    RandSeed = 11;
    FPopulation.Mutate();
    // Each mutation makes four draws: r, f, the base and the position.
    EXPECT_EQ(RandSeed, SeedJump(400)(11));
    FPopulation.MutationRate = Ext2Real(0.0L);
    FPopulation.Mutate();
    EXPECT_EQ(RandSeed, SeedJump(500)(11));  // one draw each, no mutation
}

TEST_F(SexualPopulationTest, ReproductionRefillsFromTheLiving)
{
    FPopulation.Organisms[99].Chromosome1.Places[0] = U'G';
    for (int i = 0; i < 99; ++i)
        FPopulation.Organisms[i].Chromosome1.Length = FPopulation.Organisms[i].Chromosome2.Length = 0;
    FPopulation.Resync();
    FPopulation.Reproduce();
    EXPECT_EQ(FPopulation.CountLiving(), 100);
    for (const auto& o : FPopulation.Organisms)
        EXPECT_EQ(o.Chromosome1.Text(), U"GAATTCCCGG");
}

TEST_F(SexualPopulationTest, RandomBaseDrawsOnce)
{
    std::u32string bases;
    for (int i = 0; i < 5; ++i)
        bases += RandomBase();
    EXPECT_EQ(bases, U"AAGAT");  // Random(4) from seed 0: 0, 0, 3, 0, 1
}

}  // namespace
