#include "batch/study/StudyPlan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const TParameterTexts kBase = {"AAATTCCCGG", "500", "3", "30", "1"};

std::vector<std::uint32_t> Seeds(const TStudyPlan& plan)
{
    std::vector<std::uint32_t> seeds;
    for (std::int64_t i = 0; i < plan.RunCount(); ++i)
        seeds.push_back(plan.Run(i).Seed);
    std::sort(seeds.begin(), seeds.end());
    return seeds;
}

TEST(StudyPlan, SeedsAreTheSplitmixFinalizerFoldedToThirtyTwoBits)
{
    // splitmix64's first output from state 0 is the finalizer of 0x9E3779B97F4A7C15: 0xE220A8397B1DCDAF.
    EXPECT_EQ(RunSeed(0x9E3779B9u, 0x7F4A7C15u), 0xE220A839u ^ 0x7B1DCDAFu);
}

TEST(StudyPlan, NeighbouringBaseSeedsShareNoRuns)
{
    const TStudyPlan one(kBase, {}, 10000, 1, false);
    const TStudyPlan two(kBase, {}, 10000, 2, false);
    std::vector<std::uint32_t> a = Seeds(one);
    const std::vector<std::uint32_t> b = Seeds(two);
    std::vector<std::uint32_t> shared;
    std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(shared));
    // 10^8 pairs of 32-bit values meet 0.023 times on average.
    EXPECT_LE(shared.size(), 1u);
    // Nor do the runs of one study, beyond the same chance.
    EXPECT_GE(std::unique(a.begin(), a.end()) - a.begin(), 9999);
}

TEST(StudyPlan, PairedReplicatesHaveTheSameSeedInEverySet)
{
    const std::vector<TSweep> sweeps = {{paKillFactor, {"0,5", "1", "2"}}, {paGene, {"A", "CG"}}};
    const TStudyPlan paired(kBase, sweeps, 4, 7, true);
    const TStudyPlan unpaired(kBase, sweeps, 4, 7, false);
    ASSERT_EQ(paired.RunCount(), 24);
    for (std::int64_t i = 0; i < paired.RunCount(); ++i) {
        const TStudyRun run = paired.Run(i);
        EXPECT_EQ(run.Set, i / 4 + 1);
        EXPECT_EQ(run.Replicate, i % 4 + 1);
        EXPECT_EQ(run.Seed, unpaired.Run(i % 4).Seed) << i;  // the first set's seeds
        EXPECT_EQ(unpaired.Run(i).Seed, RunSeed(7, static_cast<std::uint32_t>(i)));
    }
    EXPECT_NE(unpaired.Run(4).Seed, unpaired.Run(0).Seed);
    // The first sweep varies slowest.
    EXPECT_EQ(paired.Parameters(1), (TParameterTexts{"A", "500", "3", "30", "0,5"}));
    EXPECT_EQ(paired.Parameters(4), (TParameterTexts{"CG", "500", "3", "30", "1"}));
    EXPECT_EQ(paired.Parameters(6), (TParameterTexts{"CG", "500", "3", "30", "2"}));
}

TEST(StudyPlan, CountsTheGridBeforeBuildingAnyOfIt)
{
    std::vector<std::string> values;
    for (int i = 1; i <= 46340; ++i)
        values.push_back(std::to_string(i));
    const std::vector<TSweep> sweeps = {{paGenerations, values}, {paMutationLimit, values}};
    const TStudyPlan huge(kBase, sweeps, 2, 0, false);
    EXPECT_EQ(huge.SetCount(), 46340 * 46340);
    EXPECT_EQ(huge.Parameters(huge.SetCount()), (TParameterTexts{"AAATTCCCGG", "46340", "3", "46340", "1"}));
    EXPECT_EQ(huge.Run(huge.RunCount() - 1).Replicate, 2);
    EXPECT_THROW(TStudyPlan(kBase, sweeps, 3, 0, false), EUsageError);
    EXPECT_THROW(
        TStudyPlan(kBase, {{paGenerations, values}, {paMutationLimit, values}, {paGene, {"A", "C"}}}, 1, 0, false),
        EUsageError);
}

}  // namespace
