#include "main/FormRunHost.h"

#include "Unit2/Unit2.h"
#include "app/shell/Application.h"
#include "app/shell/CheckBox.h"
#include "app/shell/Screen.h"
#include "chart/ChartEngine/ChartAxis.h"
#include "main/Form1.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

namespace {

using std::chrono::nanoseconds;

// The lines a run writes, without windows.
class TLineRecorder : public TRunHost {
public:
    QStringList Lines[2];

    void ClearLines(TResultBox box) override { Lines[static_cast<int>(box)].clear(); }
    void AppendLine(TResultBox box, std::string_view line) override
    {
        Lines[static_cast<int>(box)].append(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
    }
    void ClearSeries(TRunSeries) override {}
    void AddPoint(TRunSeries, double, std::uint32_t) override {}
    bool ChartVisible() override { return false; }
    void ProcessMessages() override {}
    void SetBusyCursor(bool) override {}
};

// Records, whenever one of its events arrives, the run's generation (points so far) and the
// lines in the sexual result box, and the generation whenever a result box paints.
class TInputProbe : public QObject {
public:
    std::map<int, int> BoxLinesAt;
    std::vector<int> BoxPaintedAt;

    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        BoxLinesAt.emplace(Form2->Series1->Count(), Form1->Memo1->document()->blockCount());
        return true;
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            BoxPaintedAt.push_back(Form2->Series1->Count());
        return QObject::eventFilter(watched, event);
    }
};

struct TFrame {
    int Generation;
    nanoseconds Time;
    QImage Image;
    QString Memo1;
    QString Memo2;
    int Scroll1;
    int Scroll2;
};

// The application with both windows and the chart window shown; the frames' clock is a fake
// that moves on by a fixed step at every reading and posts an input event each time.
class FormRunHostTest : public ::testing::Test {
protected:
    FormRunHostTest()
    {
        FApplication.CreateForm(Form1);
        FApplication.CreateForm(Form2);
        Form1->AttachChartWindow();
        Form1->show();
        Form1->CheckBox1->SetChecked(true);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Form2));
        // Lines enter the boxes between frames as soon as there are any.
        static_cast<TFormRunHost&>(Form1->RunHost()).SetPieceBytes(1);
        static_cast<TFormRunHost&>(Form1->RunHost()).SetFrameClock([this] {
            QCoreApplication::postEvent(&FProbe, new QEvent(QEvent::User));
            FNow += FStep;
            return FNow;
        });
        TDataChart& chart = *Form2->DataChart1;
        chart.OnAfterDraw = [this, &chart](TCustomAxisPanel&) {
            FFrames.push_back({Form2->Series1->Count(), FNow, chart.ChartImage()->copy(), Form1->Memo1->toPlainText(),
                               Form1->Memo2->toPlainText(), Form1->Memo1->verticalScrollBar()->value(),
                               Form1->Memo2->verticalScrollBar()->value()});
        };
        Form1->Memo1->viewport()->installEventFilter(&FProbe);
        Form1->Memo2->viewport()->installEventFilter(&FProbe);
    }
    ~FormRunHostTest() override
    {
        qunsetenv("KELVARO_PAINT_EVERY_GENERATION");
        Form1 = nullptr;  // destroyed with the application
        Form2 = nullptr;
    }

    // A run with seed 0 and everything it presented up to its final state.
    void Run(int generations, bool everyGeneration)
    {
        if (everyGeneration)
            qputenv("KELVARO_PAINT_EVERY_GENERATION", "1");
        else
            qunsetenv("KELVARO_PAINT_EVERY_GENERATION");
        FFrames.clear();
        FProbe.BoxLinesAt.clear();
        FProbe.BoxPaintedAt.clear();
        TRunFields fields;
        fields.Generations = std::to_string(generations);
        fields.Seed = 0;
        SimulationRun(Form1->RunHost(), fields);
        QCoreApplication::processEvents();
    }

    nanoseconds FNow{1'000'000'000};
    nanoseconds FStep{3'000'000};
    TInputProbe FProbe;
    std::vector<TFrame> FFrames;

private:
    TScreen FScreen;
    TApplication FApplication;
};

TEST_F(FormRunHostTest, PacedFramesShowWhatAPaintAfterTheirGenerationShows)
{
    constexpr int kGenerations = 150;
    TLineRecorder recorder;
    TRunFields fields;
    fields.Generations = std::to_string(kGenerations);
    fields.Seed = 0;
    SimulationRun(recorder, fields);
    const auto expectedText = [&](int box, int generation) {
        return recorder.Lines[box].mid(0, generation + 1).join(u'\n');
    };
    const nanoseconds interval = TFramePace::IntervalOf(Form2->screen()->refreshRate());

    struct TCase {
        const char* Name;
        bool View3D;
        TAxisRange Left;  // zoomed or scrolled when not empty
        TAxisRange Bottom;
    };
    const TCase cases[] = {
        {"flat", false, {}, {}},
        {"3D", true, {}, {}},
        {"flat, zoomed", false, {35, 70}, {10, 60}},
        {"3D, zoomed", true, {35, 70}, {10, 60}},
        {"flat, scrolled", false, {-20, 80}, {90, 400}},
        {"3D, scrolled", true, {-20, 80}, {90, 400}},
    };
    TDataChart& chart = *Form2->DataChart1;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Form1->CheckBox2->SetChecked(c.View3D);
        chart.UndoZoom();
        if (c.Left.Max > c.Left.Min)
            chart.ZoomValues(c.Left, {0, 100}, {0, 100}, c.Bottom);

        Run(kGenerations, false);
        const std::vector<TFrame> paced = std::move(FFrames);
        ASSERT_GE(paced.size(), 3u);
        EXPECT_EQ(paced.back().Generation, kGenerations);  // the final state
        std::map<int, const TFrame*> pacedAt;
        for (std::size_t i = 0; i < paced.size(); ++i) {
            if (i > 0) {
                // The final state comes at once, however soon after the last frame.
                if (i + 1 < paced.size()) {
                    EXPECT_GE(paced[i].Time - paced[i - 1].Time, interval) << i;
                }
                EXPECT_GT(paced[i].Generation, paced[i - 1].Generation) << i;
            }
            EXPECT_EQ(paced[i].Memo1, expectedText(0, paced[i].Generation)) << i;
            EXPECT_EQ(paced[i].Memo2, expectedText(1, paced[i].Generation)) << i;
            pacedAt[paced[i].Generation] = &paced[i];
        }
        // Input is handled at every generation; the boxes take in lines between frames but
        // paint only in frames.
        for (int g = 0; g < kGenerations; ++g)
            EXPECT_EQ(FProbe.BoxLinesAt.count(g), 1u) << g;
        int aheadOfFrame = 0;
        for (const auto& [generation, lines] : FProbe.BoxLinesAt) {
            const auto frame = pacedAt.upper_bound(generation);
            ASSERT_NE(frame, pacedAt.begin());
            aheadOfFrame += lines > std::prev(frame)->first + 1;
        }
        EXPECT_GT(aheadOfFrame, 0);
        EXPECT_FALSE(FProbe.BoxPaintedAt.empty());
        for (const int generation : FProbe.BoxPaintedAt)
            EXPECT_EQ(pacedAt.count(generation), 1u) << generation;

        // The same run painted at every generation.
        Run(kGenerations, true);
        ASSERT_EQ(FFrames.size(), static_cast<std::size_t>(kGenerations + 1));
        int compared = 0;
        for (const TFrame& frame : FFrames) {
            const auto at = pacedAt.find(frame.Generation);
            EXPECT_EQ(frame.Generation, &frame - FFrames.data());
            if (at == pacedAt.end())
                continue;
            ++compared;
            EXPECT_EQ(frame.Image, at->second->Image) << frame.Generation;
            EXPECT_EQ(frame.Memo1, at->second->Memo1) << frame.Generation;
            EXPECT_EQ(frame.Scroll1, at->second->Scroll1) << frame.Generation;
            EXPECT_EQ(frame.Scroll2, at->second->Scroll2) << frame.Generation;
        }
        EXPECT_EQ(compared, static_cast<int>(paced.size()));
    }
    chart.UndoZoom();
}

TEST(FramePace, IntervalFollowsTheRefreshRateWith60HzWhereItIsUnknown)
{
    const struct {
        double Rate;
        nanoseconds Interval;
    } cases[] = {
        {60, nanoseconds(16'666'667)},  {144, nanoseconds(6'944'445)},     {30, nanoseconds(33'333'334)},
        {0, nanoseconds(16'666'667)},   {-1, nanoseconds(16'666'667)},     {std::nan(""), nanoseconds(16'666'667)},
        {0.5, nanoseconds(16'666'667)}, {1e-320, nanoseconds(16'666'667)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TFramePace::IntervalOf(c.Rate), c.Interval) << c.Rate;
}

}  // namespace
