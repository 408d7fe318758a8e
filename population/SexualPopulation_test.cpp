#include "population/SexualPopulation.h"

#include "base/Exception.h"
#include "base/FloatEnvironment.h"
#include "population/Random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

// The steps themselves are checked against the reference in PopulationAgreement_test,
// which takes Init, the measures and the bases from the population.
namespace {

class SexualPopulationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetFloatEnvironment();
        FPopulation.Init(U"AAATTCCCGG");
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

TEST_F(SexualPopulationTest, InitWithAnotherGeneRebuildsTheParasiteTable)
{
    FPopulation.ParasiteStep();
    FPopulation.Init(U"GC");  // GC content 100: no draw up to 99 kills
    FPopulation.ParasiteStep();
    EXPECT_EQ(FPopulation.CountLiving(), 100);
}

TEST_F(SexualPopulationTest, EmptyGeneIsAnInvalidOperation)
{
    FPopulation.Init(U"");
    EXPECT_EQ(FPopulation.CountLiving(), 0);
    EXPECT_THROW(FPopulation.AverageGC(), EInvalidOp);
    EXPECT_THROW(FPopulation.LethalCheck(), EInvalidOp);
    EXPECT_NO_THROW(CheckFloatFaults()) << "flags cleared after the fault";
}

TEST(RandomBase, DrawsOnce)
{
    RandSeed = 0;
    std::u32string bases;
    for (int i = 0; i < 5; ++i)
        bases += RandomBase();
    EXPECT_EQ(bases, U"AAGAT");  // Random(4) from seed 0: 0, 0, 3, 0, 1
}

}  // namespace
