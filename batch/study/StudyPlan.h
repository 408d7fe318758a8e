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

// The seed of the run numbered `index` under `baseSeed`: the 64-bit value baseSeed * 2^32 + index
// through the splitmix64 finalizer, its upper half xor its lower half. Distinct (base, index) pairs
// meet only by 32-bit chance, so studies with neighbouring base seeds share no runs.
std::uint32_t RunSeed(std::uint32_t baseSeed, std::uint32_t index);

class TStudyPlan {
public:
    // The full grid of the sweeps over the base texts, the first sweep varying slowest; its sets
    // are computed when asked for, never held. Raises EUsageError beyond 2^31 sets or 2^32 runs.
    // Run i (from 0, set by set) is numbered i for its seed; paired, replicate r of every set is
    // numbered r - 1 (the same seeds in every set).
    TStudyPlan(TParameterTexts base, std::vector<TSweep> sweeps, std::int32_t replicates, std::uint32_t baseSeed,
               bool paired);

    // The sets given, as a merge reads them from a study's description.
    TStudyPlan(std::vector<TParameterTexts> sets, std::int32_t replicates, std::uint32_t baseSeed, bool paired);

    std::int32_t SetCount() const { return FSetCount; }
    TParameterTexts Parameters(std::int32_t set) const;
    std::int64_t RunCount() const { return std::int64_t{FSetCount} * FReplicates; }
    TStudyRun Run(std::int64_t index) const;

private:
    TParameterTexts FBase;
    std::vector<TSweep> FSweeps;
    std::vector<TParameterTexts> FSets;  // when given instead of base and sweeps
    std::int32_t FSetCount = 1;
    std::int32_t FReplicates;
    std::uint32_t FBaseSeed;
    bool FPaired;
};
