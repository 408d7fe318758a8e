#include "batch/study/StudyPlan.h"

std::uint32_t RunSeed(std::uint32_t baseSeed, std::uint32_t index)
{
    std::uint64_t z = std::uint64_t{baseSeed} << 32 | index;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    z ^= z >> 31;
    return static_cast<std::uint32_t>(z >> 32) ^ static_cast<std::uint32_t>(z);
}

TStudyPlan::TStudyPlan(TParameterTexts base, std::vector<TSweep> sweeps, std::int32_t replicates,
                       std::uint32_t baseSeed, bool paired)
    : FBase(std::move(base)), FSweeps(std::move(sweeps)), FReplicates(replicates), FBaseSeed(baseSeed), FPaired(paired)
{
    std::uint64_t size = 1;
    for (const TSweep& sweep : FSweeps)
        if ((size *= sweep.Values.size()) > 0x7FFFFFFF)
            throw EUsageError("--sweep: mehr als 2^31 Parametersätze");
    FSetCount = static_cast<std::int32_t>(size);
    if (RunCount() > std::int64_t{0xFFFFFFFF} + 1)
        throw EUsageError("mehr als 2^32 Läufe");
}

TStudyPlan::TStudyPlan(std::vector<TParameterTexts> sets, std::int32_t replicates, std::uint32_t baseSeed, bool paired)
    : FSets(std::move(sets)), FSetCount(static_cast<std::int32_t>(FSets.size())), FReplicates(replicates),
      FBaseSeed(baseSeed), FPaired(paired)
{
}

TParameterTexts TStudyPlan::Parameters(std::int32_t set) const
{
    if (!FSets.empty())
        return FSets[static_cast<std::size_t>(set - 1)];
    TParameterTexts texts = FBase;
    std::size_t rest = static_cast<std::size_t>(set - 1);
    for (auto sweep = FSweeps.rbegin(); sweep != FSweeps.rend(); ++sweep) {
        texts[sweep->Parameter] = sweep->Values[rest % sweep->Values.size()];
        rest /= sweep->Values.size();
    }
    return texts;
}

TStudyRun TStudyPlan::Run(std::int64_t index) const
{
    const auto replicate = static_cast<std::int32_t>(index % FReplicates);
    const auto number = static_cast<std::uint32_t>(FPaired ? replicate : index);
    return {static_cast<std::int32_t>(index / FReplicates + 1), replicate + 1, RunSeed(FBaseSeed, number)};
}
