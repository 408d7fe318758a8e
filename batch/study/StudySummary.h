#pragma once
// The summary of a study, per parameter set: the recorded generations' statistics, dying out,
// and the final sexual-minus-asexual difference. Failed runs are counted, not included.
#include "batch/TextSink.h"
#include "batch/study/Statistics.h"
#include "batch/study/StudyTable.h"

#include <array>
#include <map>

class TStudySummary {
public:
    // Runs must come in table order for the sums to repeat bit for bit.
    void Add(const TTableRun& run);
    void Write(TTextSink& out) const;

    // Per generation: mean living and GC of the sexual, then the asexual population.
    struct TMeans {
        std::int32_t Generation;
        double Living[2];
        double Gc[2];
    };
    std::vector<std::int32_t> Sets() const;
    std::vector<TMeans> Means(std::int32_t set) const;

private:
    struct TSetSummary {
        TParameterTexts Parameters;
        std::int64_t Failed = 0;
        // Per generation: living and GC of the sexual population, then of the asexual one.
        std::map<std::int32_t, std::array<TStatistic, 4>> Generations;
        TStatistic DiedOut[2];    // 1 for a run in which the population died out, else 0
        TStatistic DiedOutAt[2];  // over those runs
        std::int32_t FinalGeneration = 0;
        TStatistic FinalDifference[2];  // living, GC
    };

    std::map<std::int32_t, TSetSummary> FSets;
};
