#include "population/Random.h"

#include "base/FloatEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

class RandomTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetFloatEnvironment();
        RandSeed = 0;
    }
};

TEST_F(RandomTest, SequenceFromSeedZero)
{
    std::vector<uint32_t> seeds, draws;
    for (int i = 0; i < 5; ++i) {
        draws.push_back(Random(100));
        seeds.push_back(RandSeed);
    }
    EXPECT_EQ(seeds, (std::vector<uint32_t>{1, 134775814, 3698175007, 870078620, 1172187917}));
    EXPECT_EQ(draws, (std::vector<uint32_t>{0, 3, 86, 20, 27}));
    for (uint32_t n : {0u, 1u}) {  // degenerate ranges still advance
        RandSeed = 0xFFFFFFF0u;
        EXPECT_EQ(Random(n), 0u);
        EXPECT_EQ(RandSeed, NextSeed(0xFFFFFFF0u));
    }
}

TEST_F(RandomTest, RealDrawIsSeedOverTwoToThe32)
{
    // The seed that steps to 0, and the one that steps to the largest value.
    const uint32_t inverse = [] {  // multiplicative inverse of the multiplier mod 2^32
        uint32_t x = 1;
        for (int i = 0; i < 5; ++i)
            x *= 2 - kRandMultiplier * x;
        return x;
    }();
    RandSeed = (0u - 1u) * inverse;
    EXPECT_EQ(Random(), 0.0L);
    RandSeed = (0xFFFFFFFFu - 1u) * inverse;
    EXPECT_EQ(Random(), 1.0L - std::ldexp(1.0L, -32));
    RandSeed = 0;
    EXPECT_EQ(Random(), std::ldexp(1.0L, -32));
}

TEST_F(RandomTest, RandomizeGivesMillisecondsOfTheDay)
{
    Randomize();
    EXPECT_LT(RandSeed, 24u * 60 * 60 * 1000);
}

}  // namespace
