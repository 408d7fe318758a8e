#include "batch/study/StudyPlan.h"

std::vector<TParameterTexts> ParameterGrid(const TParameterTexts& base, const std::vector<TSweep>& sweeps)
{
    std::uint64_t size = 1;
    for (const TSweep& sweep : sweeps)
        if ((size *= sweep.Values.size()) > 0x7FFFFFFF)
            throw EUsageError("--sweep: mehr als 2^31 Parametersätze");
    std::vector<TParameterTexts> grid{base};
    for (const TSweep& sweep : sweeps) {
        std::vector<TParameterTexts> finer;
        for (const TParameterTexts& set : grid)
            for (const std::string& value : sweep.Values) {
                finer.push_back(set);
                finer.back()[sweep.Parameter] = value;
            }
        grid = std::move(finer);
    }
    return grid;
}

TStudyPlan::TStudyPlan(std::vector<TParameterTexts> sets, std::int32_t replicates, std::uint32_t baseSeed)
    : FSets(std::move(sets)), FReplicates(replicates), FBaseSeed(baseSeed)
{
    if (RunCount() > std::int64_t{0xFFFFFFFF} + 1)
        throw EUsageError("mehr als 2^32 Läufe");
}

std::int64_t TStudyPlan::RunCount() const
{
    return static_cast<std::int64_t>(FSets.size()) * FReplicates;
}

TStudyRun TStudyPlan::Run(std::int64_t index) const
{
    return {static_cast<std::int32_t>(index / FReplicates + 1), static_cast<std::int32_t>(index % FReplicates + 1),
            static_cast<std::uint32_t>(FBaseSeed + static_cast<std::uint64_t>(index))};
}
