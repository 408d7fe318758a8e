#include "batch/study/StudySummary.h"

#include "app/IntegerText.h"

#include <charconv>

namespace {

constexpr const char* kHeader = "set,gene,generations,mutation_rate,mutation_limit,kill_factor,generation,population,"
                                "measure,runs,failed,mean,sd,min,max,ci_low,ci_high\n";

// The shortest text that reads back as the same double ("inf" for an open end).
void AppendNumber(std::string& row, double value)
{
    char text[32];
    row.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

void AppendOptional(std::string& row, const std::optional<double>& value)
{
    if (value)
        AppendNumber(row, *value);
}

// The columns from mean on: mean, sd, min, max, ci_low, ci_high, each empty when undefined.
struct TFigures {
    std::optional<double> Mean, Sd, Min, Max, Low, High;

    static TFigures Of(const TStatistic& s)
    {
        TFigures f;
        if (s.Count() > 0)
            f = {s.Mean(), {}, s.Min(), s.Max(), {}, {}};
        if (s.Count() > 1) {
            f.Sd = s.StandardDeviation();
            f.Low = s.Mean() - s.HalfWidth95();
            f.High = s.Mean() + s.HalfWidth95();
        }
        return f;
    }
    void SetInterval(const std::optional<TInterval>& interval)
    {
        if (interval) {
            Low = interval->Low;
            High = interval->High;
        }
    }
};

}  // namespace

void TStudySummary::Add(const TTableRun& run)
{
    TSetSummary& set = FSets[run.Run.Set];
    set.Parameters = run.Parameters;
    if (run.Outcome.Failed) {
        ++set.Failed;
        return;
    }
    ++set.Runs;
    const std::vector<TGenerationMeasures>& generations = run.Outcome.Generations;
    for (const TGenerationMeasures& g : generations)
        for (int p = 0; p < 2; ++p) {
            std::array<TStatistic, 3>& s = set.Generations[g.Generation][p];
            s[0].Add(g.Living[p]);
            s[1].Add(g.Gc[p]);
            if (g.Living[p] > 0)
                s[2].Add(g.Gc[p]);
        }
    if (generations.empty())
        return;
    const TGenerationMeasures& last = generations.back();
    for (int p = 0; p < 2; ++p) {
        const bool died = last.DiedOutAt[p] != 0;
        set.DiedOut[p] += died ? 1 : 0;
        set.Extinction[p].Add(died ? last.DiedOutAt[p] : last.Generation, died);
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
        const TSetSummary& set = entry.second;
        std::string prefix = IntToStr(number) + ',';
        for (const std::string& text : set.Parameters) {
            AppendCsvField(prefix, text);
            prefix += ',';
        }
        const auto write = [&](std::int32_t generation, const char* population, const char* measure, std::int64_t runs,
                               const TFigures& f) {
            row = prefix;
            if (generation != 0)
                row += IntToStr(generation);
            row += ',';
            row += population;
            row += ',';
            row += measure;
            row += ',' + std::to_string(runs) + ',' + std::to_string(set.Failed);
            for (const std::optional<double>& value : {f.Mean, f.Sd, f.Min, f.Max, f.Low, f.High}) {
                row += ',';
                AppendOptional(row, value);
            }
            row += '\n';
            out.Write(row);
        };
        const auto statistic = [&](std::int32_t generation, const char* population, const char* measure,
                                   const TStatistic& s) {
            write(generation, population, measure, s.Count(), TFigures::Of(s));
        };
        for (const auto& [generation, populations] : set.Generations)
            for (int p = 0; p < 2; ++p) {
                statistic(generation, kPopulationNames[p], "living", populations[p][0]);
                statistic(generation, kPopulationNames[p], "gc", populations[p][1]);
                statistic(generation, kPopulationNames[p], "gc_alive", populations[p][2]);
            }
        for (int p = 0; p < 2; ++p) {
            const TKaplanMeier& km = set.Extinction[p];
            TFigures died, median, alive;
            if (km.Count() > 0) {
                died.Mean = static_cast<double>(set.DiedOut[p]) / static_cast<double>(km.Count());
                died.SetInterval(WilsonInterval(set.DiedOut[p], km.Count()));
                median.Mean = km.Median();
                median.SetInterval(km.MedianInterval());
                alive.Mean = km.SurvivalAtEnd();
                alive.SetInterval(km.SurvivalInterval());
            }
            write(0, kPopulationNames[p], "died_out", km.Count(), died);
            write(0, kPopulationNames[p], "extinction_median", km.Count(), median);
            write(set.FinalGeneration, kPopulationNames[p], "alive_at_end", km.Count(), alive);
        }
        statistic(set.FinalGeneration, "sexual-asexual", "living", set.FinalDifference[0]);
        statistic(set.FinalGeneration, "sexual-asexual", "gc", set.FinalDifference[1]);
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
        means.push_back({generation, {s[0][0], s[1][0]}, {s[0][1], s[1][1]}});
    return means;
}
