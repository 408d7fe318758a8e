#include "batch/study/MeansFigure.h"

#include <array>

namespace {

// One measure's mean and 95 % band (Student t; no band where a generation has fewer than two
// runs) on a series the figure titles as the measure.
void AddMeans(TFigureStyle& style, TLineSeries& means, std::int32_t generation, const TStatistic& s,
              std::array<TLineSeries*, 2>& band)
{
    const TColor colour = means.SeriesColor();
    if (!band[0]) {
        style.Widen(means);
        for (TLineSeries*& limit : band)
            limit = style.AddSeries(means.Title() + " 95 %", colour, psDot, false);
    }
    means.AddXY(generation, s.Mean(), {}, colour);
    if (s.Count() > 1)
        for (int side = 0; side < 2; ++side)
            band[side]->AddXY(generation, s.Mean() + (side == 0 ? -1 : 1) * s.HalfWidth95(), {}, colour);
}

}  // namespace

TMeansFigure::TMeansFigure(const TStudySummary& summary, std::int32_t set, const TPictureOptions& picture)
    : Series(Chart, ScreenPixelsPerInch()), Style(Chart, picture)
{
    Chart.SetView3D(picture.View3D);
    std::string runs = "n = " + std::to_string(summary.Runs(set)) + " Läufe";
    if (summary.Failed(set) > 0)
        runs += " (" + std::to_string(summary.Failed(set)) + " abgebrochen, nicht einbezogen)";
    Style.SetTitles({ParameterCaption(summary.Parameters(set),
                                      {paGene, paGenerations, paMutationRate, paMutationLimit, paKillFactor}),
                     runs + ", Mittelwerte mit 95-%-Band (Student t)"},
                    "Lebende / GC-Gehalt in %");
    // Each series carries what its title says.
    std::array<std::array<TLineSeries*, 2>, 4> bands{};
    for (const TStudySummary::TMeans& m : summary.Means(set)) {
        AddMeans(Style, Series.Of(TRunSeries::SexualLiving), m.Generation, m.Living[0], bands[0]);
        AddMeans(Style, Series.Of(TRunSeries::AsexualLiving), m.Generation, m.Living[1], bands[1]);
        AddMeans(Style, Series.Of(TRunSeries::SexualGC), m.Generation, m.Gc[0], bands[2]);
        AddMeans(Style, Series.Of(TRunSeries::AsexualGC), m.Generation, m.Gc[1], bands[3]);
    }
}
