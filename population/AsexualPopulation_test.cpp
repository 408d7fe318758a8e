#include "population/AsexualPopulation.h"

#include "population/Exception.h"
#include "population/FloatEnvironment.h"
#include "population/Random.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class AsexualPopulationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetFloatEnvironment();
        FPopulation.Init(U"AAATTCCCGG");
        RandSeed = 0;
    }

    TAsexualPopulation FPopulation;
};

TEST_F(AsexualPopulationTest, InitWritesTheGeneTwice)
{
    EXPECT_EQ(FPopulation.InitGen.Text(), U"AAATTCCCGG");
    EXPECT_EQ(FPopulation.CountLiving(), 100);
    for (const auto& o : FPopulation.Organisms) {
        EXPECT_EQ(o.Chromosome.Text(), U"AAATTCCCGGAAATTCCCGG");
        EXPECT_EQ(Real2Ext(FPopulation.Identity(o.Chromosome)), 50.0L);  // places 11..20 never match
        EXPECT_EQ(Real2Ext(FPopulation.GCContent(o.Chromosome)), 50.0L);
    }
    EXPECT_EQ(Real2Ext(FPopulation.AverageGC()), 50.0L);

    FPopulation.Init(U"GCA");
    EXPECT_EQ(FPopulation.Organisms[0].Chromosome.Text(), U"GCAGCA");
    EXPECT_EQ(Real2Ext(FPopulation.Identity(FPopulation.Organisms[0].Chromosome)), 15.0L);  // fixed divisor of 20
    EXPECT_EQ(Real2Ext(FPopulation.GCContent(FPopulation.Organisms[0].Chromosome)), 20.0L);
}

TEST_F(AsexualPopulationTest, EmptyGeneKillsNothingButTheLethalCheck)
{
    FPopulation.Init(U"");
    EXPECT_EQ(FPopulation.CountLiving(), 0);
    EXPECT_NO_THROW(FPopulation.ParasiteStep());
    EXPECT_EQ(Real2Ext(FPopulation.AverageGC()), 0.0L);
}

TEST_F(AsexualPopulationTest, LimitAboveFiftyKillsFreshOrganisms)
{
    FPopulation.MutationLimit = 50;
    FPopulation.LethalCheck();
    EXPECT_EQ(FPopulation.CountLiving(), 100);
    FPopulation.MutationLimit = 51;
    FPopulation.LethalCheck();
    EXPECT_EQ(FPopulation.CountLiving(), 0);
    FPopulation.Reproduce();
    EXPECT_EQ(FPopulation.CountLiving(), 0);
    EXPECT_EQ(RandSeed, SeedJump(100)(0));  // one draw per dead place
}

TEST_F(AsexualPopulationTest, HugeKillFactorOverflows)
{
    FPopulation.ParasiteKillFactor = Ext2Real(std::ldexp(1.0L, 121));
    try {
        FPopulation.ParasiteStep();
        FAIL() << "no fault";
    } catch (const EOverflow& e) {
        EXPECT_STREQ(e.what(), "Überlauf bei Gleitkomma-Operation");
    }
}

TEST_F(AsexualPopulationTest, MutationHalvesTheRateAndFlipsACoin)
{
    FPopulation.MutationRate = Ext2Real(200.0L);  // every r is below rate × 0.5
    FPopulation.MutationLimit = 0;
    RandSeed = 5;
    FPopulation.Mutate();
    // r and f for everyone; base and position only where f < 0.5.
    uint32_t seed = 5, expected = 0;
    for (int i = 0; i < 100; ++i) {
        seed = SeedJump(2)(seed);
        expected += seed < 0x80000000u;
        if (seed < 0x80000000u)
            seed = SeedJump(2)(seed);
    }
    EXPECT_EQ(RandSeed, seed);
    int changed = 0;
    for (const auto& o : FPopulation.Organisms)
        changed += o.Chromosome.Text() != U"AAATTCCCGGAAATTCCCGG";
    EXPECT_LE(changed, static_cast<int>(expected));
    EXPECT_GT(changed, 0);
}

}  // namespace
