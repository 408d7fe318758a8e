#include "batch/study/StudySummary.h"

#include "app/IntegerText.h"

#include <charconv>

namespace {

constexpr const char* kHeader = "set,gene,generations,mutation_rate,mutation_limit,kill_factor,generation,population,"
                                "measure,runs,failed,mean,sd,min,max,ci_low,ci_high\n";

void AppendNumber(std::string& row, double value)
{
    char text[32];
    row.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

}  // namespace

void TStudySummary::Add(const TTableRun& run)
{
    TSetSummary& set = FSets[run.Run.Set];
    set.Parameters = run.Parameters;
    if (run.Outcome.Failed) {
        ++set.Failed;
        return;
    }
    const std::vector<TGenerationMeasures>& generations = run.Outcome.Generations;
    for (const TGenerationMeasures& g : generations)
        for (int p = 0; p < 2; ++p) {
            set.Generations[g.Generation][2 * p].Add(g.Living[p]);
            set.Generations[g.Generation][2 * p + 1].Add(g.Gc[p]);
        }
    if (generations.empty())
        return;
    const TGenerationMeasures& last = generations.back();
    for (int p = 0; p < 2; ++p) {
        set.DiedOut[p].Add(last.DiedOutAt[p] != 0 ? 1 : 0);
        if (last.DiedOutAt[p] != 0)
            set.DiedOutAt[p].Add(last.DiedOutAt[p]);
    }
    set.FinalGeneration = last.Generation;
    set.FinalDifference[0].Add(last.Living[0] - last.Living[1]);
    set.FinalDifference[1].Add(last.Gc[0] - last.Gc[1]);
}

void TStudySummary::Write(TTextSink& out) const
{
    out.Write(kHeader);
    std::string row;
    for (const auto& entry : FSets) {
        const std::int32_t number = entry.first;
        const auto& set = entry.second;
        std::string prefix = IntToStr(number) + ',';
        for (const std::string& text : set.Parameters) {
            AppendCsvField(prefix, text);
            prefix += ',';
        }
        const auto write = [&](std::int32_t generation, const char* population, const char* measure,
                               const TStatistic& s) {
            row = prefix;
            if (generation != 0)
                row += IntToStr(generation);
            row += ',';
            row += population;
            row += ',';
            row += measure;
            row += ',' + std::to_string(s.Count()) + ',' + std::to_string(set.Failed) + ',';
            if (s.Count() > 0)
                AppendNumber(row, s.Mean());
            row += ',';
            if (s.Count() > 1)
                AppendNumber(row, s.StandardDeviation());
            row += ',';
            if (s.Count() > 0) {
                AppendNumber(row, s.Min());
                row += ',';
                AppendNumber(row, s.Max());
            } else {
                row += ',';
            }
            row += ',';
            if (s.Count() > 1) {
                AppendNumber(row, s.Mean() - s.HalfWidth95());
                row += ',';
                AppendNumber(row, s.Mean() + s.HalfWidth95());
            } else {
                row += ',';
            }
            row += '\n';
            out.Write(row);
        };
        for (const auto& [generation, statistics] : set.Generations)
            for (int p = 0; p < 2; ++p) {
                write(generation, kPopulationNames[p], "living", statistics[2 * p]);
                write(generation, kPopulationNames[p], "gc", statistics[2 * p + 1]);
            }
        for (int p = 0; p < 2; ++p) {
            write(0, kPopulationNames[p], "died_out", set.DiedOut[p]);
            write(0, kPopulationNames[p], "died_out_at", set.DiedOutAt[p]);
        }
        write(set.FinalGeneration, "sexual-asexual", "living", set.FinalDifference[0]);
        write(set.FinalGeneration, "sexual-asexual", "gc", set.FinalDifference[1]);
    }
}

std::vector<std::int32_t> TStudySummary::Sets() const
{
    std::vector<std::int32_t> sets;
    for (const auto& entry : FSets)
        sets.push_back(entry.first);
    return sets;
}

std::vector<TStudySummary::TMeans> TStudySummary::Means(std::int32_t set) const
{
    std::vector<TMeans> means;
    for (const auto& [generation, s] : FSets.at(set).Generations)
        means.push_back({generation, {s[0].Mean(), s[2].Mean()}, {s[1].Mean(), s[3].Mean()}});
    return means;
}
