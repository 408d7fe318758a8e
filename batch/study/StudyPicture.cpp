#include "batch/study/StudyPicture.h"

#include "base/DesignScale.h"
#include "base/Exception.h"

#include <QGuiApplication>
#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace {

void Save(const QImage& image, const std::string& file)
{
    const std::string temporary = file + ".tmp" + std::to_string(getpid()) + ".png";
    if (!image.save(QString::fromStdString(temporary), "PNG") || std::rename(temporary.c_str(), file.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw std::runtime_error("kann " + file + " nicht schreiben");
    }
}

std::string SetFile(const std::string& file, std::int32_t set)
{
    const std::size_t slash = file.rfind('/');
    std::size_t dot = file.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        dot = file.size();
    return file.substr(0, dot) + '-' + std::to_string(set) + file.substr(dot);
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
    Save(RunPicture(fields, picture), *picture.File);
}

void SaveStudyPictures(const TStudySummary& summary, const TPictureOptions& picture)
{
    const std::vector<std::int32_t> sets = summary.Sets();
    for (std::int32_t set : sets) {
        const QImage image = RunChartPicture(picture, [&](TRunChartSeries& series) {
            for (const TStudySummary::TMeans& m : summary.Means(set)) {
                const double x = m.Generation - 1;  // the window counts points from 0
                series.Series1->AddXY(x, m.Living[0], {}, kSexualGCColour);
                series.Series2->AddXY(x, m.Gc[0], {}, kSexualLivingColour);
                series.Series3->AddXY(x, m.Gc[1], {}, kAsexualLivingColour);
                series.Series4->AddXY(x, m.Living[1], {}, kAsexualGCColour);
            }
        });
        Save(image, sets.size() > 1 ? SetFile(*picture.File, set) : *picture.File);
    }
}
