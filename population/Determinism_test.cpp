#include "population/AsexualPopulation.h"
#include "population/FloatEnvironment.h"
#include "population/Random.h"
#include "population/SexualPopulation.h"

#include <gtest/gtest.h>

#include <vector>

// The published reference run: default parameters, RandSeed 0 after both Inits.
TEST(Determinism, FirstFiveGenerationsFromSeedZero)
{
    SetFloatEnvironment();
    SexualPopulation.Init(U"AAATTCCCGG");
    AsexualPopulation.Init(U"AAATTCCCGG");
    RandSeed = 0;
    std::vector<int> sexual, asexual;
    for (int g = 0; g < 5; ++g) {
        SexualPopulation.ParasiteStep();
        SexualPopulation.AverageGC();
        sexual.push_back(SexualPopulation.CountLiving());
        SexualPopulation.Mutate();
        SexualPopulation.LethalCheck();
        SexualPopulation.Reproduce();
        AsexualPopulation.ParasiteStep();
        AsexualPopulation.AverageGC();
        asexual.push_back(AsexualPopulation.CountLiving());
        AsexualPopulation.Mutate();
        AsexualPopulation.LethalCheck();
        AsexualPopulation.Reproduce();
    }
    EXPECT_EQ(sexual, (std::vector<int>{52, 49, 49, 45, 40}));
    EXPECT_EQ(asexual, (std::vector<int>{53, 54, 60, 49, 51}));
}
