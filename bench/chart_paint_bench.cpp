// One paint of the chart window's chart at its default client size (527 x 307): a full redraw
// with empty and with full series (four series of 500 points, as after a default run), and a
// paint request while the image is clean, which must only copy the stored image.
#include "chart/Chart/DataChart.h"
#include "chart/ChartEngine/ChartAxis.h"
#include "chart/ChartEngine/ChartLegend.h"
#include "chart/Series/LineSeries.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <array>
#include <memory>

namespace {

// The chart as the chart window configures it.
struct TWindowChart {
    TWindowChart()
    {
        Chart.SetBounds(0, 0, 527, 307);
        Chart.SetBackColor(0x39C9FF);
        Chart.Gradient().SetVisible(true);
        Chart.Gradient().SetEndColor(0x80FFFF);
        Chart.Title().SetText({""});
        Chart.BottomAxis()->Title().SetCaption("Generationen");
        Chart.Legend()->SetAlignment(laBottom);
        Chart.SetView3D(false);
        const std::array<TColor, 4> colours = {clAqua, 0x8000FF, clBlue, clRed};
        for (std::size_t i = 0; i < Series.size(); ++i) {
            Series[i].SetSeriesColor(colours[i]);
            Series[i].SetParentChart(&Chart);
        }
    }

    void Fill(int points)
    {
        for (int g = 0; g < points; ++g) {
            Series[0].Add(100 - g % 13, "", clAqua);
            Series[1].Add(100 - g % 17, "", 0x8000FF);
            Series[2].Add(50 + g % 7, "", clBlue);
            Series[3].Add(50 + g % 11, "", clRed);
        }
    }

    TDataChart Chart;
    std::array<TLineSeries, 4> Series;
};

void Paint(benchmark::State& state, int points, bool dirty)
{
    TWindowChart window;
    window.Fill(points);
    QImage screen(527, 307, QImage::Format_RGB32);
    TChartCanvas canvas(&screen);
    window.Chart.Paint(canvas);
    for (auto _ : state) {
        if (dirty)
            window.Chart.Invalidate();
        window.Chart.Paint(canvas);
        benchmark::DoNotOptimize(screen.constBits());
    }
}

void BM_FullPaintEmptySeries(benchmark::State& state)
{
    Paint(state, 0, true);
}
void BM_FullPaint500Points(benchmark::State& state)
{
    Paint(state, 500, true);
}
void BM_CleanPaintCopy(benchmark::State& state)
{
    Paint(state, 500, false);
}

BENCHMARK(BM_FullPaintEmptySeries)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullPaint500Points)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CleanPaintCopy)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    // Fonts need a GUI application; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
