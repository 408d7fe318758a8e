#include "base/FloatEnvironment.h"
#include "population/AsexualPopulation.h"
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
    const auto generation = [](auto& population, std::vector<int>& living) {
        population.ParasiteStep();
        population.AverageGC();
        living.push_back(population.CountLiving());
        population.Mutate();
        population.LethalCheck();
        population.Reproduce();
    };
    std::vector<int> sexual, asexual;
    for (int g = 0; g < 5; ++g) {
        generation(SexualPopulation, sexual);
        generation(AsexualPopulation, asexual);
    }
    EXPECT_EQ(sexual, (std::vector<int>{52, 49, 49, 45, 40}));
    EXPECT_EQ(asexual, (std::vector<int>{53, 54, 60, 49, 51}));
}
