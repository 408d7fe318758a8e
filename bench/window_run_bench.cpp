// The Start run in the real main window (offscreen platform) with the chart
// window hidden and shown, and the hidden run against what it is made of: the
// headless runner on the same parameters, the same lines in the two result
// boxes alone (one at a time, and in one piece as the window inserts them),
// and the same points in the chart window's series alone. Every window run
// ends with the events that show its final state.
#include "app/shell/Application.h"
#include "app/shell/Screen.h"
#include "main/Form1.h"

#include "Unit2/Unit2.h"
#include "app/FormatSettings.h"
#include "app/IntegerText.h"
#include "app/shell/CheckBox.h"
#include "base/FloatEnvironment.h"
#include "base/MemoryEnvironment.h"
#include "bench/BatchToDevNull.h"
#include "chart/ChartEngine/ChartAxis.h"
#include "main/SimulationRun.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <string>
#include <vector>

namespace {

QString Generations(const benchmark::State& state)
{
    return QString::number(state.range(0));
}

// Peak resident memory of the process so far, in MiB.
double PeakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024;
    }
    return 0;
}

// Start pressed, and the events that follow the run processed.
void PressStart()
{
    Form1->Button3Click();
    QCoreApplication::processEvents();
}

void BM_WindowRun(benchmark::State& state)
{
    Form1->Edit2->setText(Generations(state));
    for (auto _ : state)
        PressStart();
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["peak_MiB"] = PeakMiB();
}

// Processor time of this thread.
std::chrono::nanoseconds ThreadCpu()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

// The frames a run with the chart shown presents, timed at the readings of the clock that
// paces them: a frame lasts from the pump that finds it due (a whole interval after the last
// one) to the reading after the pump that painted it, in wall time and in processor time (read
// at those two readings only: the thread's processor clock is a system call). A paint alone
// is timed from the legend, its second step, to its end.
class TFrameMeter {
public:
    TFrameMeter()
    {
        const std::chrono::nanoseconds interval = TFramePace::IntervalOf(Form2->screen()->refreshRate());
        RunHost().SetFrameClock([this, interval] {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            if (FPainted) {
                FLongest = std::max(FLongest, now - FFrameStart);
                FLongestCpu = std::max(FLongestCpu, ThreadCpu() - FFrameStartCpu);
                FPainted = false;
                FLastFrameEnd = now;
            } else if (now - FLastFrameEnd >= interval) {
                FFrameStart = now;
                FFrameStartCpu = ThreadCpu();
            }
            if (OnReading)
                OnReading();
            return now;
        });
        TDataChart& chart = *Form2->DataChart1;
        chart.OnGetLegendRect = [this](TCustomAxisPanel&, TRect&) { FPaintStartCpu = ThreadCpu(); };
        chart.OnAfterDraw = [this](TCustomAxisPanel&) {
            ++Frames;
            FPainted = true;
            FLongestPaintCpu = std::max(FLongestPaintCpu, ThreadCpu() - FPaintStartCpu);
        };
    }
    ~TFrameMeter()
    {
        RunHost().SetFrameClock([] { return std::chrono::steady_clock::now().time_since_epoch(); });
        Form2->DataChart1->OnGetLegendRect = nullptr;
        Form2->DataChart1->OnAfterDraw = nullptr;
    }
    TFrameMeter(const TFrameMeter&) = delete;
    TFrameMeter& operator=(const TFrameMeter&) = delete;

    static double Ms(std::chrono::nanoseconds t) { return std::chrono::duration<double, std::milli>(t).count(); }
    double LongestMs() const { return Ms(FLongest); }
    double LongestCpuMs() const { return Ms(FLongestCpu); }
    double LongestPaintCpuMs() const { return Ms(FLongestPaintCpu); }

    std::int64_t Frames = 0;
    std::function<void()> OnReading;

private:
    static TFormRunHost& RunHost() { return static_cast<TFormRunHost&>(Form1->RunHost()); }

    std::chrono::nanoseconds FFrameStart{};
    std::chrono::nanoseconds FFrameStartCpu{};
    std::chrono::nanoseconds FLastFrameEnd{};
    std::chrono::nanoseconds FLongest{};
    std::chrono::nanoseconds FLongestCpu{};
    std::chrono::nanoseconds FPaintStartCpu{};
    std::chrono::nanoseconds FLongestPaintCpu{};
    bool FPainted = false;
};

// The same run with the chart window shown (flat or 3D). "frames" counts the chart's paints
// per run, "fps" their rate over the run's wall time, "longest_frame_ms" and
// "longest_frame_cpu_ms" the longest frame in wall and processor time, "longest_paint_cpu_ms"
// the longest of the chart's paints.
// KELVARO_PAINT_EVERY_GENERATION=1 paints at every generation instead.
void WindowRunWithChart(benchmark::State& state, bool view3D, const std::function<void(TFrameMeter&)>& input = {})
{
    Form1->Edit2->setText(Generations(state));
    Form1->CheckBox2->SetChecked(view3D);
    Form1->CheckBox1->SetChecked(true);
    if (!Form2->isVisible() || Form2->DataChart1->View3D() != view3D)
        state.SkipWithError("chart window not shown as asked");
    QCoreApplication::processEvents();
    double seconds = 0;
    std::int64_t frames = 0;
    double longest = 0;
    double longestCpu = 0;
    double longestPaint = 0;
    for (auto _ : state) {
        TFrameMeter meter;
        if (input)
            input(meter);
        QElapsedTimer wall;
        wall.start();
        PressStart();
        seconds += static_cast<double>(wall.nsecsElapsed()) / 1e9;
        frames += meter.Frames;
        longest = std::max(longest, meter.LongestMs());
        longestCpu = std::max(longestCpu, meter.LongestCpuMs());
        longestPaint = std::max(longestPaint, meter.LongestPaintCpuMs());
    }
    Form2->DataChart1->UndoZoom();
    Form1->CheckBox1->SetChecked(false);
    Form1->CheckBox2->SetChecked(false);
    QCoreApplication::processEvents();
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["frames"] = static_cast<double>(frames) / static_cast<double>(state.iterations());
    state.counters["fps"] = static_cast<double>(frames) / seconds;
    state.counters["longest_frame_ms"] = longest;
    state.counters["longest_frame_cpu_ms"] = longestCpu;
    state.counters["longest_paint_cpu_ms"] = longestPaint;
    state.counters["peak_MiB"] = PeakMiB();
}

void BM_WindowRunChartShown(benchmark::State& state)
{
    WindowRunWithChart(state, false);
}
void BM_WindowRunChartShown3D(benchmark::State& state)
{
    WindowRunWithChart(state, true);
}

// A zoom drag over the chart while the run goes on, then a scroll drag of the zoomed chart:
// the mouse moves every 2,000 generations, as fast as a hand would at a few thousand
// generations a second.
void BM_WindowRunChartShownZoomDrag(benchmark::State& state)
{
    WindowRunWithChart(state, false, [&state](TFrameMeter& meter) {
        const std::int64_t generations = state.range(0);
        // Phases: 0 before, 1 zooming, 2 between, 3 scrolling, 4 after.
        meter.OnReading = [generations, phase = 0, last = std::int64_t{-1}]() mutable {
            const std::int64_t g = Form2->Series1->Count();
            if (g % 2000 != 0 || g == last)
                return;
            last = g;
            TDataChart& chart = *Form2->DataChart1;
            const std::int64_t step = g * 40 / generations;  // 0 .. 40 over the run
            const auto x = static_cast<std::int32_t>(100 + 5 * (step % 20));
            const auto y = static_cast<std::int32_t>(60 + 3 * (step % 20));
            if (step >= 2 && step < 18) {
                if (phase == 0)
                    chart.MouseDown(mbLeft, ssLeft, x, y);
                else
                    chart.MouseMove(ssLeft, x, y);
                phase = 1;
            } else if (step >= 18 && phase == 1) {
                chart.MouseUp(mbLeft, ssLeft, 195, 114);
                phase = 2;
            } else if (step >= 22 && step < 38) {
                if (phase == 2)
                    chart.MouseDown(mbRight, ssRight, 400 - x, 100);
                else
                    chart.MouseMove(ssRight, 400 - x, 100);
                phase = 3;
            } else if (step >= 38 && phase == 3) {
                chart.MouseUp(mbRight, ssRight, 205, 100);
                phase = 4;
            }
        };
    });
}

void BM_HeadlessRunner(benchmark::State& state)
{
    const std::vector<std::string> args = {"--generations", IntToStr(static_cast<std::int32_t>(state.range(0)))};
    RunBatchToDevNull(state, args);
}

// Keeps the lines and points a run produces, to replay them without the model.
class TRunRecorder : public TRunHost {
public:
    struct TPoint {
        TRunSeries Series;
        double Value;
        std::uint32_t Colour;
    };
    std::vector<QString> Lines[2];
    std::vector<TPoint> Points;

    void ClearLines(TResultBox box) override { Lines[static_cast<int>(box)].clear(); }
    void AppendLine(TResultBox box, std::string_view line) override
    {
        Lines[static_cast<int>(box)].push_back(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
    }
    void ClearSeries(TRunSeries) override { Points.clear(); }
    void AddPoint(TRunSeries series, double value, std::uint32_t colour) override
    {
        Points.push_back({series, value, colour});
    }
    bool ChartVisible() override { return false; }
    void ProcessMessages() override {}
    void SetBusyCursor(bool) override {}
};

TRunRecorder Recorded(const benchmark::State& state)
{
    TRunRecorder recorder;
    TRunFields fields;
    fields.Generations = Generations(state).toStdString();
    fields.Seed = 0;
    SimulationRun(recorder, fields);
    return recorder;
}

QPlainTextEdit* ResultBox(int box)
{
    return box == static_cast<int>(TResultBox::Sexual) ? Form1->Memo1 : Form1->Memo2;
}

// (b): the lines appended one at a time.
void BM_ResultBoxesAlone(benchmark::State& state)
{
    const TRunRecorder recorder = Recorded(state);
    for (auto _ : state) {
        for (int box = 0; box < 2; ++box) {
            ResultBox(box)->clear();
            for (const QString& line : recorder.Lines[box])
                ResultBox(box)->appendPlainText(line);
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The text part of a hidden-chart window run: each box's lines in one insertion.
void BM_ResultBoxesOnePiece(benchmark::State& state)
{
    const TRunRecorder recorder = Recorded(state);
    QStringList joined[2];
    for (int box = 0; box < 2; ++box)
        joined[box] = QStringList(recorder.Lines[box].begin(), recorder.Lines[box].end());
    for (auto _ : state) {
        for (int box = 0; box < 2; ++box) {
            ResultBox(box)->clear();
            ResultBox(box)->appendPlainText(joined[box].join(u'\n'));
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The chart part of a run: the same points added to the chart window's four series.
void BM_SeriesAlone(benchmark::State& state)
{
    const TRunRecorder recorder = Recorded(state);
    TLineSeries* const series[] = {Form2->Series1, Form2->Series2, Form2->Series3, Form2->Series4};
    for (auto _ : state) {
        for (TLineSeries* s : series)
            s->Clear();
        for (const TRunRecorder::TPoint& point : recorder.Points)
            series[static_cast<int>(point.Series)]->Add(point.Value, {}, point.Colour);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(500)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_HeadlessRunner)->Apply(Sizes);
BENCHMARK(BM_ResultBoxesAlone)->Apply(Sizes);
BENCHMARK(BM_ResultBoxesOnePiece)->Apply(Sizes);
BENCHMARK(BM_SeriesAlone)->Apply(Sizes);
BENCHMARK(BM_WindowRun)->Apply(Sizes);
// The chart shown against hidden: 5,000 and 100,000 generations, flat and 3D, and 1,000,000
// flat. Peak memory of long runs: run each alone (filter) to read its peak_MiB.
BENCHMARK(BM_WindowRun)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRunChartShown)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRunChartShown3D)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRun)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRunChartShown)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRunChartShown3D)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRun)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRunChartShown)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRunChartShownZoomDrag)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
// Further lengths, for the growth of a run's cost and memory with its length.
BENCHMARK(BM_WindowRun)->Arg(200000)->Arg(3000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRunChartShown)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRunChartShown)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRunChartShown3D)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    SetMemoryEnvironment();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApplication(argc, argv);
    SetFloatEnvironment();
    GetFormatSettings();
    TScreen screen;
    TApplication application;
    application.CreateForm(Form1);
    application.CreateForm(Form2);
    Form1->show();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
