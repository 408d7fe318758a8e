#include "population/AsexualPopulation.h"

#include "base/FloatEnvironment.h"

#include <gtest/gtest.h>

// The steps themselves are checked against the reference in PopulationAgreement_test,
// which takes Init and the measures from the population.
namespace {

TEST(AsexualPopulation, InitWritesTheGeneTwiceAndMeasuresOverTwentyPlaces)
{
    SetFloatEnvironment();
    TAsexualPopulation population;
    population.Init(U"AAATTCCCGG");
    EXPECT_EQ(population.InitGen.Text(), U"AAATTCCCGG");
    EXPECT_EQ(population.CountLiving(), 100);
    for (const auto& o : population.Organisms) {
        EXPECT_EQ(o.Chromosome.Text(), U"AAATTCCCGGAAATTCCCGG");
        EXPECT_EQ(Real2Ext(population.Identity(o.Chromosome)), 50.0L);  // places 11..20 never match
        EXPECT_EQ(Real2Ext(population.GCContent(o.Chromosome)), 50.0L);
    }
    EXPECT_EQ(Real2Ext(population.AverageGC()), 50.0L);

    population.Init(U"GCA");
    EXPECT_EQ(population.Organisms[0].Chromosome.Text(), U"GCAGCA");
    EXPECT_EQ(Real2Ext(population.Identity(population.Organisms[0].Chromosome)), 15.0L);  // fixed divisor of 20
    EXPECT_EQ(Real2Ext(population.GCContent(population.Organisms[0].Chromosome)), 20.0L);

    population.Init(U"");
    EXPECT_EQ(population.CountLiving(), 0);
    EXPECT_EQ(Real2Ext(population.AverageGC()), 0.0L);
}

}  // namespace
