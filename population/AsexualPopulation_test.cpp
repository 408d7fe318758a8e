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
        p.Init(U"AAATTCCCGG");
        RandSeed = 0;
    }

    TAsexualPopulation p;
};

TEST_F(AsexualPopulationTest, InitWritesTheGeneTwice)
{
    EXPECT_EQ(p.InitGen.Text(), U"AAATTCCCGG");
    EXPECT_EQ(p.CountLiving(), 100);
    for (const auto& o : p.Organisms) {
        EXPECT_EQ(o.Chromosome.Text(), U"AAATTCCCGGAAATTCCCGG");
        EXPECT_EQ(Real2Ext(p.Identity(o.Chromosome)), 50.0L);  // places 11..20 never match
        EXPECT_EQ(Real2Ext(p.GCContent(o.Chromosome)), 50.0L);
    }
    EXPECT_EQ(Real2Ext(p.AverageGC()), 50.0L);

    p.Init(U"GCA");
    EXPECT_EQ(p.Organisms[0].Chromosome.Text(), U"GCAGCA");
    EXPECT_EQ(Real2Ext(p.Identity(p.Organisms[0].Chromosome)), 15.0L);  // fixed divisor of 20
    EXPECT_EQ(Real2Ext(p.GCContent(p.Organisms[0].Chromosome)), 20.0L);
}

TEST_F(AsexualPopulationTest, EmptyGeneKillsNothingButTheLethalCheck)
{
    p.Init(U"");
    EXPECT_EQ(p.CountLiving(), 0);
    EXPECT_NO_THROW(p.ParasiteStep());
    EXPECT_EQ(Real2Ext(p.AverageGC()), 0.0L);
}

TEST_F(AsexualPopulationTest, LimitAboveFiftyKillsFreshOrganisms)
{
    p.MutationLimit = 50;
    p.LethalCheck();
    EXPECT_EQ(p.CountLiving(), 100);
    p.MutationLimit = 51;
    p.LethalCheck();
    EXPECT_EQ(p.CountLiving(), 0);
    p.Reproduce();
    EXPECT_EQ(p.CountLiving(), 0);
    EXPECT_EQ(RandSeed, SeedJump(100)(0));  // one draw per dead place
}

TEST_F(AsexualPopulationTest, HugeKillFactorOverflows)
{
    p.ParasiteKillFactor = Ext2Real(std::ldexp(1.0L, 121));
    try {
        p.ParasiteStep();
        FAIL() << "no fault";
    } catch (const EOverflow& e) {
        EXPECT_STREQ(e.what(), "Überlauf bei Gleitkomma-Operation");
    }
}

TEST_F(AsexualPopulationTest, MutationHalvesTheRateAndFlipsACoin)
{
    p.MutationRate = Ext2Real(200.0L);  // every r is below rate × 0.5
    p.MutationLimit = 0;
    RandSeed = 5;
    p.Mutate();
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
    for (const auto& o : p.Organisms)
        changed += o.Chromosome.Text() != U"AAATTCCCGGAAATTCCCGG";
    EXPECT_LE(changed, static_cast<int>(expected));
    EXPECT_GT(changed, 0);
}

} // namespace
