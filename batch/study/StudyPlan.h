#pragma once
// The runs of a study: the parameter grid, the replicates of each set and their seeds.
#include "batch/study/StudyOptions.h"

#include <cstdint>
#include <vector>

struct TStudyRun {
    std::int32_t Set;        // from 1
    std::int32_t Replicate;  // from 1
    std::uint32_t Seed;
};

// The full grid of the sweeps over the base texts; the first sweep varies slowest. Raises
// EUsageError beyond 2^31 sets.
std::vector<TParameterTexts> ParameterGrid(const TParameterTexts& base, const std::vector<TSweep>& sweeps);

class TStudyPlan {
public:
    // Raises EUsageError when the study has more runs than a 32-bit seed can tell apart.
    TStudyPlan(std::vector<TParameterTexts> sets, std::int32_t replicates, std::uint32_t baseSeed);

    const TParameterTexts& Parameters(std::int32_t set) const { return FSets[static_cast<std::size_t>(set - 1)]; }
    std::int64_t RunCount() const;
    // Run `index` (from 0, set by set) gets the seed baseSeed + index, modulo 2^32.
    TStudyRun Run(std::int64_t index) const;

private:
    std::vector<TParameterTexts> FSets;
    std::int32_t FReplicates;
    std::uint32_t FBaseSeed;
};
