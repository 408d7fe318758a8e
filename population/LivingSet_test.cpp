#include "population/LivingSet.h"

#include "population/Random.h"

#include <gtest/gtest.h>

#include <vector>

// Removal and the dead places are exercised by every step of PopulationAgreement_test.
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
    }
}

}  // namespace
