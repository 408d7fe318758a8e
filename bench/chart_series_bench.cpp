// Paint time of the chart window's chart (527 x 307, configured as the window does) with four
// series of N points, flat and 3D, against the same data drawn by QCustomPlot into an image of
// the same size without antialiasing: legend, axes with grid and labels, gradient background.
#include "chart/Chart/DataChart.h"
#include "chart/ChartEngine/ChartAxis.h"
#include "chart/ChartEngine/ChartLegend.h"
#include "chart/Series/LineSeries.h"

#include <QApplication>
#include <QImage>
#include <QLinearGradient>
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <array>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 527;
constexpr int kHeight = 307;

struct TSeriesSpec {
    const char* Title;
    TColor Color;
};

// In list order: Series3, Series2, Series4, Series1.
constexpr std::array<TSeriesSpec, 4> kSeries = {{{"Lebend-Nichtsexuell", clAqua},
                                                 {"Lebend-Sexuell", 0x8000FF},
                                                 {"GC-Nichtsexuell", clBlue},
                                                 {"GC-Sexuell", clRed}}};

// Counts near 100 and GC percentages near 60, each a bounded random walk, as a run gives.
std::array<std::vector<double>, 4> RunLikeData(int n)
{
    std::mt19937 random(12345);
    std::array<std::vector<double>, 4> data;
    const std::array<double, 4> start = {55, 55, 90, 90};
    for (std::size_t s = 0; s < data.size(); ++s) {
        double v = start[s];
        for (int i = 0; i < n; ++i) {
            v = std::clamp(v + static_cast<int>(random() % 7) - 3, 30.0, 100.0);
            data[s].push_back(std::round(v));
        }
    }
    return data;
}

struct TOurChart {
    explicit TOurChart(int n, bool view3D)
    {
        Chart.SetBounds(0, 0, kWidth, kHeight);
        Chart.SetBackColor(0x39C9FF);
        Chart.Gradient().SetVisible(true);
        Chart.Gradient().SetEndColor(0x80FFFF);
        Chart.LeftWall().SetColor(clSilver);
        Chart.BottomWall().SetColor(clWhite);
        Chart.Title().SetText({""});
        Chart.BottomAxis()->Title().SetCaption("Generationen");
        TCustomChartLegend& legend = *Chart.Legend();
        legend.SetAlignment(laBottom);
        legend.Font().SetHeight(-10);
        legend.SetInverted(true);
        legend.SetLegendStyle(lsSeries);
        legend.SetTextStyle(ltsPlain);
        Chart.SetView3D(view3D);
        const auto data = RunLikeData(n);
        for (std::size_t s = 0; s < Series.size(); ++s) {
            Series[s].SetTitle(kSeries[s].Title);
            Series[s].SetSeriesColor(kSeries[s].Color);
            Series[s].SetParentChart(&Chart);
            for (double y : data[s])
                Series[s].Add(y, "", kSeries[s].Color);
        }
    }

    TDataChart Chart;
    std::array<TLineSeries, 4> Series;
};

void BM_Ours(benchmark::State& state, bool view3D)
{
    TOurChart chart(static_cast<int>(state.range(0)), view3D);
    QImage screen(kWidth, kHeight, QImage::Format_RGB32);
    TChartCanvas canvas(&screen);
    for (auto _ : state) {
        chart.Chart.Invalidate();
        chart.Chart.Paint(canvas);
        benchmark::DoNotOptimize(screen.constBits());
    }
}

void BM_OursFlat(benchmark::State& state)
{
    BM_Ours(state, false);
}
void BM_Ours3D(benchmark::State& state)
{
    BM_Ours(state, true);
}

QColor Qt(TColor c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

void BM_QCustomPlot(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    QCustomPlot plot;
    plot.resize(kWidth, kHeight);
    plot.setNotAntialiasedElements(QCP::aeAll);
    plot.setPlottingHints(QCP::phNone);
    QLinearGradient gradient(0, kHeight, 0, 0);
    gradient.setColorAt(0, Qt(clWhite));
    gradient.setColorAt(1, Qt(0x80FFFF));
    plot.setBackground(QBrush(gradient));
    plot.axisRect()->setBackground(QBrush(Qt(0x39C9FF)));
    plot.xAxis->setLabel(QStringLiteral("Generationen"));
    plot.legend->setVisible(true);
    plot.axisRect()->insetLayout()->setInsetAlignment(0, ::Qt::AlignBottom | ::Qt::AlignHCenter);
    plot.legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    const auto data = RunLikeData(n);
    QVector<double> xs(n);
    for (int i = 0; i < n; ++i)
        xs[i] = i;
    for (std::size_t s = 0; s < kSeries.size(); ++s) {
        QCPGraph* graph = plot.addGraph();
        graph->setName(QString::fromUtf8(kSeries[s].Title));
        graph->setPen(QPen(Qt(kSeries[s].Color), 1));
        graph->setData(xs, QVector<double>(data[s].begin(), data[s].end()), true);
    }
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        // Ranges follow the data at every paint, as ours do.
        plot.rescaleAxes();
        QCPPainter painter(&image);
        plot.toPainter(&painter, kWidth, kHeight);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

BENCHMARK(BM_OursFlat)->Arg(500)->Arg(5000)->Arg(50000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ours3D)->Arg(500)->Arg(5000)->Arg(50000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QCustomPlot)->Arg(500)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    // QCustomPlot is a widget; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
