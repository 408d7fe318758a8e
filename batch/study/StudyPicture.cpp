#include "batch/study/StudyPicture.h"

#include "base/DesignScale.h"
#include "base/Exception.h"
#include "batch/OutputPath.h"
#include "batch/study/FigureFile.h"
#include "batch/study/MeansFigure.h"

#include <QGuiApplication>

namespace {

// The run's points in the chart's four series, as the window shows them.
void FillRun(TRunChartSeries& series, const TRunFields& fields)
{
    TChartHost host(series);
    try {
        SimulationRun(host, fields);
    } catch (const Exception&) {
        // the run's message is out already; the picture shows what came before it
    }
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
    FSeries.Of(series).Clear();
}

void TChartHost::AddPoint(TRunSeries series, double value, std::uint32_t colour)
{
    FSeries.Of(series).Add(value, {}, colour);
}

QImage RunPicture(const TRunFields& fields, const TPictureOptions& picture)
{
    return RunChartPicture(picture, [&](TRunChartSeries& series) { FillRun(series, fields); });
}

void SaveRunPicture(const TRunFields& fields, const TPictureOptions& picture)
{
    if (!IsVectorName(*picture.File)) {
        SavePng(RunPicture(fields, picture), *picture.File);
        return;
    }
    EnsurePictureApplication();
    TFigureChart chart;
    TRunChartSeries series(chart, ScreenPixelsPerInch());
    chart.SetView3D(picture.View3D);
    FillRun(series, fields);
    chart.Save(*picture.File, picture.Width, picture.Height);
}

void SaveStudyPictures(const TStudySummary& summary, const TPictureOptions& picture)
{
    EnsurePictureApplication();
    const std::vector<std::int32_t> sets = summary.Sets();
    for (std::int32_t set : sets)
        TMeansFigure(summary, set, picture)
            .Chart.Save(sets.size() > 1 ? NumberedFile(*picture.File, set) : *picture.File, picture.Width,
                        picture.Height);
}
