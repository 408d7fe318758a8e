// The Start run in the real main window (offscreen platform, chart window
// hidden) against what it is made of: the headless runner on the same
// parameters, the same lines in the two result boxes alone (one at a time,
// and in one piece as the window inserts them), and the same points in the
// chart window's series alone.
#include "app/shell/Application.h"
#include "app/shell/Screen.h"
#include "main/Form1.h"

#include "Unit2/Unit2.h"
#include "app/FormatSettings.h"
#include "app/IntegerText.h"
#include "app/shell/CheckBox.h"
#include "base/FloatEnvironment.h"
#include "bench/BatchToDevNull.h"
#include "main/SimulationRun.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

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

void BM_WindowRun(benchmark::State& state)
{
    Form1->Edit2->setText(Generations(state));
    for (auto _ : state)
        Form1->Button3Click();
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["peak_MiB"] = PeakMiB();
}

// The same run with the chart window shown (flat or 3D): every generation lets the chart
// repaint, and each repaint draws all points so far, at a cost that grows with the points
// until their runs per pixel column take over. "paints" counts the chart's paints per run.
void WindowRunWithChart(benchmark::State& state, bool view3D)
{
    Form1->Edit2->setText(Generations(state));
    Form1->CheckBox2->SetChecked(view3D);
    Form1->CheckBox1->SetChecked(true);
    if (!Form2->isVisible() || Form2->DataChart1->View3D() != view3D)
        state.SkipWithError("chart window not shown as asked");
    std::int64_t paints = 0;
    Form2->DataChart1->OnAfterDraw = [&paints](TCustomAxisPanel&) { ++paints; };
    for (auto _ : state)
        Form1->Button3Click();
    Form2->DataChart1->OnAfterDraw = nullptr;
    Form1->CheckBox1->SetChecked(false);
    Form1->CheckBox2->SetChecked(false);
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["paints"] = static_cast<double>(paints) / static_cast<double>(state.iterations());
}

void BM_WindowRunChartShown(benchmark::State& state)
{
    WindowRunWithChart(state, false);
}
void BM_WindowRunChartShown3D(benchmark::State& state)
{
    WindowRunWithChart(state, true);
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
// 5,000 generations with the chart hidden, against the shown runs below.
BENCHMARK(BM_WindowRun)->Arg(5000)->Unit(benchmark::kMillisecond);
// Peak memory of long runs with the chart hidden: run each alone (filter) to read its peak_MiB.
BENCHMARK(BM_WindowRun)->Arg(200000)->Arg(1000000)->Arg(3000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRunChartShown)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
// Long flat runs, for the growth of a run's cost with its length.
BENCHMARK(BM_WindowRunChartShown)->Arg(10000)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRunChartShown3D)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
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
