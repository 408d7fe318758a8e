#include "batch/study/CompareFigure.h"

#include "app/TextToFloat.h"
#include "batch/study/FigureFile.h"
#include "batch/study/FigureStyle.h"
#include "batch/study/StudyPicture.h"
#include "chart/ChartEngine/ChartAxis.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <stdexcept>

namespace {

// Living and GC of the first combination, then of the second, ...
constexpr TColor kLineColours[] = {clRed, clBlue, 0x0080FF, 0x800080, 0x008000, 0x808000, clBlack, clGray};

// The swept parameters, the one that changes least often from set to set (the first sweep)
// first.
std::vector<TParameter> SweptParameters(const TStudySummary& summary, const std::vector<std::int32_t>& sets)
{
    std::vector<std::pair<int, TParameter>> changes;
    for (int p = 0; p < kParameterCount; ++p) {
        int count = 0;
        for (std::size_t i = 1; i < sets.size(); ++i)
            count += summary.Parameters(sets[i - 1])[p] != summary.Parameters(sets[i])[p] ? 1 : 0;
        if (count > 0)
            changes.emplace_back(count, static_cast<TParameter>(p));
    }
    std::stable_sort(changes.begin(), changes.end(), [](auto& a, auto& b) { return a.first < b.first; });
    std::vector<TParameter> swept;
    swept.reserve(changes.size());
    for (const auto& change : changes)
        swept.push_back(change.second);
    return swept;
}

// The mean with its interval as a line point and a vertical bar; one run gives no bar.
void AddDifference(TLineSeries& line, TLineSeries& bars, double x, const TStatistic& s)
{
    if (s.Count() == 0)
        return;
    line.AddXY(x, s.Mean(), {}, line.SeriesColor());
    if (s.Count() < 2)
        return;
    bars.AddXY(x, s.Mean() - s.HalfWidth95(), {}, bars.SeriesColor());
    bars.AddXY(x, s.Mean() + s.HalfWidth95(), {}, bars.SeriesColor());
    bars.AddXY(x, s.Mean(), {}, clNone);
}

}  // namespace

void SaveCompareFigure(const TStudySummary& summary, const TPictureOptions& picture, const std::string& file)
{
    const std::vector<std::int32_t> sets = summary.Sets();
    const std::vector<TParameter> swept = SweptParameters(summary, sets);
    if (swept.empty())
        throw std::runtime_error("--compare braucht Parametersätze, die sich unterscheiden (--sweep)");
    const TParameter axis = swept.front();
    const std::vector<TParameter> others(swept.begin() + 1, swept.end());
    std::vector<TParameter> fixed;
    for (int p = 0; p < kParameterCount; ++p)
        if (std::find(swept.begin(), swept.end(), p) == swept.end())
            fixed.push_back(static_cast<TParameter>(p));

    EnsurePictureApplication();
    TFigureChart chart;
    TRunChartSeries window(chart, ScreenPixelsPerInch());
    for (TRunSeries series :
         {TRunSeries::SexualGC, TRunSeries::SexualLiving, TRunSeries::AsexualLiving, TRunSeries::AsexualGC})
        window.Of(series).SetActive(false);
    chart.SetView3D(picture.View3D);
    TFigureStyle style(chart, picture);

    // x: the parameter's value, or the position of a gene in the order of the sets.
    std::map<std::string, double> genes;
    const auto xOf = [&](const std::string& text) {
        return axis == paGene ? genes.try_emplace(text, static_cast<double>(genes.size() + 1)).first->second
                              : static_cast<double>(StrToFloat(text));
    };
    std::int64_t fewest = -1, most = 0;
    struct TLines {
        TLineSeries* Line[2];
        TLineSeries* Bars[2];
    };
    std::map<std::string, TLines> lines;
    std::map<double, std::vector<std::pair<std::string, std::int32_t>>> byX;
    for (std::int32_t set : sets) {
        const TParameterTexts& parameters = summary.Parameters(set);
        byX[xOf(parameters[axis])].emplace_back(ParameterCaption(parameters, others), set);
        fewest = fewest < 0 ? summary.Runs(set) : std::min(fewest, summary.Runs(set));
        most = std::max(most, summary.Runs(set));
    }
    // Lines side by side are moved apart a little, so that their intervals do not cover each other.
    const double dodge = (byX.rbegin()->first - byX.begin()->first) / 150;
    std::size_t combinations = 0;
    for (const auto& [x, points] : byX)
        combinations = std::max(combinations, points.size());
    for (const auto& [x, points] : byX)
        for (const auto& [caption, set] : points) {
            auto found = lines.find(caption);
            if (found == lines.end()) {
                const std::size_t first = 2 * lines.size() % std::size(kLineColours);
                const std::string name = caption.empty() ? "" : ": " + caption;
                TLines added{};
                const char* measures[2] = {"Lebende", "GC"};
                for (int m = 0; m < 2; ++m) {
                    const TColor colour = kLineColours[first + m];
                    added.Line[m] = style.AddSeries(measures[m] + name, colour, psSolid, true);
                    added.Bars[m] = style.AddSeries(measures[m] + name + " 95 %", colour, psSolid, false);
                }
                found = lines.emplace(caption, added).first;
            }
            const double position = static_cast<double>(2 * std::distance(lines.begin(), found));
            for (int m = 0; m < 2; ++m)
                AddDifference(*found->second.Line[m], *found->second.Bars[m],
                              x + dodge * (position + m - static_cast<double>(2 * combinations - 1) / 2),
                              summary.FinalDifference(set)[m]);
        }
    TLineSeries* zero = style.AddSeries("0", clBlack, psDot, false);
    zero->AddXY(byX.begin()->first, 0, {}, clBlack);
    zero->AddXY(byX.rbegin()->first, 0, {}, clBlack);

    std::string runs = "n = " + std::to_string(fewest);
    if (most != fewest)
        runs += " bis " + std::to_string(most);
    std::vector<std::string> title = {"Sexuell minus nicht sexuell in der letzten Generation",
                                      "Mittelwert und 95-%-Intervall (Student t), " + runs + " Läufe je Satz"};
    if (!fixed.empty())
        title.push_back(ParameterCaption(summary.Parameters(sets.front()), fixed));
    style.SetTitles(title, "Differenz (Lebende; GC in %-Punkten)");
    chart.BottomAxis()->Title().SetCaption(axis == paGene ? "Initgen (Nummer in der Reihenfolge der Sätze)"
                                                          : kParameterLabels[axis]);
    chart.Save(file, picture.Width, picture.Height);
}
