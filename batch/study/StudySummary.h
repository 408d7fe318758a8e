#pragma once
// The summary of a study, per parameter set: the recorded generations' statistics (of all runs,
// and GC of the runs whose population still lives), dying out with its share and its time
// (Kaplan-Meier, runs still alive at the end censored), and the final sexual-minus-asexual
// difference. Failed runs are counted, not included.
#include "batch/TextSink.h"
#include "batch/study/Statistics.h"
#include "batch/study/StudyTable.h"
#include "batch/study/Survival.h"

#include <array>
#include <map>

class TStudySummary {
public:
    // Runs must come in table order for the sums to repeat bit for bit.
    void Add(const TTableRun& run);
    void Write(TTextSink& out) const;

    // Per generation and population (0 sexual, 1 asexual): living and GC of all runs.
    struct TMeans {
        std::int32_t Generation;
        TStatistic Living[2];
        TStatistic Gc[2];
    };
    std::vector<std::int32_t> Sets() const;
    const TParameterTexts& Parameters(std::int32_t set) const { return FSets.at(set).Parameters; }
    // Runs included and failed.
    std::int64_t Runs(std::int32_t set) const { return FSets.at(set).Runs; }
    std::int64_t Failed(std::int32_t set) const { return FSets.at(set).Failed; }
    std::vector<TMeans> Means(std::int32_t set) const;
    // The last generation's sexual-minus-asexual difference: living, GC.
    const std::array<TStatistic, 2>& FinalDifference(std::int32_t set) const { return FSets.at(set).FinalDifference; }

private:
    struct TSetSummary {
        TParameterTexts Parameters;
        std::int64_t Runs = 0;
        std::int64_t Failed = 0;
        // Per generation and population: living, GC, GC of the runs in which it lives.
        std::map<std::int32_t, std::array<std::array<TStatistic, 3>, 2>> Generations;
        std::int64_t DiedOut[2] = {};
        TKaplanMeier Extinction[2];
        std::int32_t FinalGeneration = 0;
        std::array<TStatistic, 2> FinalDifference;  // living, GC
    };

    std::map<std::int32_t, TSetSummary> FSets;
};
