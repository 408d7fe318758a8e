#include "population/LivingSet.h"

#include "population/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Random sets of every density against a plain scan.
TEST(LivingSet, SelectFindsTheKthLivingPlace)
{
    RandSeed = 3;
    for (int trial = 0; trial < 2000; ++trial) {
        TLivingSet set;
        set.Clear();
        const uint32_t density = Random(101);
        std::vector<int> living;
        for (int place = 0; place < TLivingSet::kPlaces; ++place)
            if (Random(100) < density) {
                set.Set(place);
                living.push_back(place);
            }
        ASSERT_EQ(set.Count(), static_cast<int>(living.size()));
        for (std::size_t k = 0; k < living.size(); ++k)
            ASSERT_EQ(set.Select(static_cast<uint32_t>(k)), living[k]) << trial << " " << k;
        for (int place = 0; place < TLivingSet::kPlaces; ++place) {
            const bool alive = std::find(living.begin(), living.end(), place) != living.end();
            ASSERT_EQ(((set.DeadWord(place >> 6) >> (place & 63)) & 1) == 0, alive);
        }
    }
}

TEST(LivingSet, RemovingCountsOnlyLivingPlaces)
{
    TLivingSet set;
    set.Clear();
    for (int place : {0, 5, 63, 64, 99})
        set.Set(place);
    set.RemoveWord(0, (uint64_t{1} << 5) | (uint64_t{1} << 6));  // 6 was not living
    set.RemoveWord(1, ~uint64_t{0} << 35);                        // place 99, and bits past the end
    EXPECT_EQ(set.Count(), 3);
    EXPECT_EQ(set.Select(0), 0);
    EXPECT_EQ(set.Select(1), 63);
    EXPECT_EQ(set.Select(2), 64);
    EXPECT_EQ(set.DeadWord(1), ((uint64_t{1} << 36) - 1) & ~uint64_t{1});
}

} // namespace
