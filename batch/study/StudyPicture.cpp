#include "batch/study/StudyPicture.h"

#include "batch/study/FigureFile.h"
#include "batch/study/FigureStyle.h"
#include "population/Exception.h"

#include <QGuiApplication>

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

void EnsurePictureApplication()
{
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", QByteArray::number(kDesignPixelsPerInch));
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    static int argc = 1;
    static char name[] = "kelvaro-batch";
    static char* argv[] = {name, nullptr};
    // The runner's error output is for its own messages, not for the window system's notes.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    static QGuiApplication application(argc, argv);
}

QImage RunChartPicture(const TPictureOptions& picture, const std::function<void(TRunChartSeries&)>& fill)
{
    EnsurePictureApplication();
    TDataChart chart;
    TRunChartSeries series(chart, ScreenPixelsPerInch());
    chart.SetView3D(picture.View3D);
    fill(series);
    chart.SetBounds(0, 0, picture.Width, picture.Height);
    QImage image(picture.Width, picture.Height, QImage::Format_RGB32);
    TChartCanvas canvas(&image);
    chart.Paint(canvas);
    return image;
}

void TChartHost::ClearSeries(TRunSeries series)
{
    FSeries[static_cast<std::size_t>(series)]->Clear();
}

void TChartHost::AddPoint(TRunSeries series, double value, std::uint32_t colour)
{
    FSeries[static_cast<std::size_t>(series)]->Add(value, {}, colour);
}

QImage RunPicture(const TRunFields& fields, const TPictureOptions& picture)
{
    return RunChartPicture(picture, [&](TRunChartSeries& series) {
        TChartHost host({series.Series1, series.Series2, series.Series3, series.Series4});
        try {
            SimulationRun(host, fields);
        } catch (const Exception&) {
            // the run's message is out already; the picture shows what came before it
        }
    });
}

void SaveRunPicture(const TRunFields& fields, const TPictureOptions& picture)
{
    SavePng(RunPicture(fields, picture), *picture.File);
}

void SaveStudyPictures(const TStudySummary& summary, const TPictureOptions& picture)
{
    EnsurePictureApplication();
    const std::vector<std::int32_t> sets = summary.Sets();
    for (std::int32_t set : sets) {
        TFigureChart chart;
        TRunChartSeries series(chart, ScreenPixelsPerInch());
        chart.SetView3D(picture.View3D);
        TFigureStyle style(chart, picture);
        std::string runs = "n = " + std::to_string(summary.Runs(set)) + " Läufe";
        if (summary.Failed(set) > 0)
            runs += " (" + std::to_string(summary.Failed(set)) + " abgebrochen, nicht einbezogen)";
        style.SetTitles({ParameterCaption(summary.Parameters(set),
                                          {paGene, paGenerations, paMutationRate, paMutationLimit, paKillFactor}),
                         runs + ", Mittelwerte mit 95-%-Band (Student t)"},
                        "Lebende / GC-Gehalt in %");
        // Each series carries what its title says.
        std::array<std::array<TLineSeries*, 2>, 4> bands{};
        for (const TStudySummary::TMeans& m : summary.Means(set)) {
            AddMeans(style, *series.Series2, m.Generation, m.Living[0], bands[0]);
            AddMeans(style, *series.Series3, m.Generation, m.Living[1], bands[1]);
            AddMeans(style, *series.Series1, m.Generation, m.Gc[0], bands[2]);
            AddMeans(style, *series.Series4, m.Generation, m.Gc[1], bands[3]);
        }
        chart.Save(sets.size() > 1 ? NumberedFile(*picture.File, set) : *picture.File, picture.Width, picture.Height);
    }
}
