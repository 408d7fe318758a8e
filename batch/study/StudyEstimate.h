#pragma once
// What a study will do, before it runs: sets, runs, table rows, bytes and time.
#include "batch/TextSink.h"
#include "batch/study/StudyPlan.h"

#include <cstdint>

// Processor seconds of one generation of a study in one worker, run start and table rows
// included, on the development machine (docs/performance.md).
inline constexpr double kSecondsPerGeneration = 3.5e-6;
// Beyond these a study starts only with --yes.
inline constexpr std::int64_t kConfirmRuns = 10'000'000;
inline constexpr double kConfirmBytes = 10e9;

struct TStudyEstimate {
    std::int64_t Sets = 0;
    std::int64_t Runs = 0;         // of this shard
    std::int64_t Generations = 0;  // computed by this shard's runs
    std::int64_t Rows = 0;         // table rows, header and error rows left out
    double Bytes = 0;              // of the table, uncompressed
    double Seconds = 0;            // with the given number of workers, each on a core of its own

    bool NeedsConfirmation() const { return Runs > kConfirmRuns || Bytes > kConfirmBytes; }
};

// Exact counts for this shard; bytes from the rows' lengths with a GC text of 15 digits.
TStudyEstimate EstimateStudy(const TStudyPlan& plan, const TStudyOptions& study, std::int32_t jobs);

// The plan in German, one item per line.
void WriteEstimate(TTextSink& out, const TStudyEstimate& estimate, std::int32_t jobs);
