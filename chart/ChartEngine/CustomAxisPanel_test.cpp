#include "chart/Chart/DataChart.h"

#include "chart/ChartEngine/ChartAxis.h"
#include "chart/ChartEngine/ChartException.h"
#include "chart/ChartEngine/ChartLegend.h"
#include "chart/Series/LineSeries.h"
#include "testing/chart/RecordingCanvas.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace {

// A chart whose image surface records, and which notes the chart rectangle before titles.
class TRecordedChart : public TDataChart {
public:
    std::vector<TDrawCall> Calls;
    TRect RectBeforeTitles;
    std::function<void()> DuringTitles;

    void DrawTitlesAndLegend() override
    {
        RectBeforeTitles = ChartRect;
        if (DuringTitles)
            DuringTitles();
        TDataChart::DrawTitlesAndLegend();
    }

    // Paints into a window-sized image the way the host widget does.
    void PaintWindow(std::vector<TDrawCall>* windowCalls = nullptr)
    {
        QImage window(Width(), Height(), QImage::Format_RGB32);
        std::vector<TDrawCall> ignored;
        TRecordingCanvas canvas(&window, windowCalls != nullptr ? *windowCalls : ignored);
        Paint(canvas);
    }

protected:
    std::unique_ptr<TChartCanvas> CreateImageCanvas(QImage& image) override
    {
        Calls.clear();
        return std::make_unique<TRecordingCanvas>(&image, Calls);
    }
};

// Notes the order of the paint steps.
class TStepLog : public TRecordedChart {
public:
    std::vector<std::string> Steps;

    void DrawPanel(const TRect& r) override
    {
        Log("DrawPanel", [&] { TRecordedChart::DrawPanel(r); });
    }
    void DrawTitlesAndLegend() override
    {
        Log("DrawTitlesAndLegend", [&] { TRecordedChart::DrawTitlesAndLegend(); });
    }
    void CalcAxisRect() override
    {
        Log("CalcAxisRect", [&] { TRecordedChart::CalcAxisRect(); });
    }
    void CalcSeriesRect() override
    {
        Log("CalcSeriesRect", [&] { TRecordedChart::CalcSeriesRect(); });
    }
    void DrawChartBackground() override
    {
        Log("DrawChartBackground", [&] { TRecordedChart::DrawChartBackground(); });
    }

private:
    void Log(const char* step, const std::function<void()>& run)
    {
        Steps.push_back(step);
        run();
    }
};

TEST(ChartPanel, PaintRunsItsStepsInOrder)
{
    TStepLog chart;
    TLineSeries series;
    series.SetParentChart(&chart);
    series.Add(3);
    series.Add(4);
    series.OnBeforeDrawValues = [&](TChartSeries&) { chart.Steps.push_back("BeforeDrawValues"); };
    series.OnAfterDrawValues = [&](TChartSeries&) { chart.Steps.push_back("AfterDrawValues"); };
    chart.OnAfterDraw = [&](TCustomAxisPanel&) { chart.Steps.push_back("OnAfterDraw"); };
    chart.PaintWindow();
    EXPECT_EQ(chart.Steps,
              (std::vector<std::string>{"DrawPanel", "DrawTitlesAndLegend", "CalcAxisRect", "CalcSeriesRect",
                                        "DrawChartBackground", "BeforeDrawValues", "AfterDrawValues", "OnAfterDraw"}));
    // The series are drawn last, inside their clip region.
    std::vector<std::string> ops;
    for (const TDrawCall& call : chart.Calls)
        ops.push_back(call.Op);
    const auto clip = std::find(ops.begin(), ops.end(), "ClipPolygon");
    ASSERT_NE(clip, ops.end());  // the default view is three-dimensional
    EXPECT_EQ(std::find(clip, ops.end(), "UnClip"), ops.end() - 1);
}

TEST(ChartPanel, MarginsArePercentagesOfTheImage)
{
    TRecordedChart chart;
    chart.SetBounds(0, 0, 527, 307);
    chart.PaintWindow();
    EXPECT_EQ(chart.RectBeforeTitles, (TRect{16, 9, 511, 298}));
    EXPECT_EQ(chart.ChartBounds, (TRect{0, 0, 527, 307}));
}

TEST(ChartPanel, RecalcWidthHeightKeepsTheRectangleInShape)
{
    TRecordedChart chart;
    chart.ChartBounds = {0, 0, 100, 50};
    const struct {
        TRect In, Out;
        std::int32_t Width, Height, XCenter, YCenter;
    } cases[] = {
        {{10, 5, 91, 46}, {10, 5, 91, 46}, 81, 41, 50, 25},
        {{-4, -2, 20, 10}, {0, 0, 20, 10}, 20, 10, 10, 5},
        {{30, 20, 10, 5}, {30, 20, 31, 21}, 1, 1, 30, 20},
        {{5, 5, 5, 5}, {5, 5, 5, 5}, 0, 0, 5, 5},
    };
    for (const auto& c : cases) {
        chart.ChartRect = c.In;
        chart.RecalcWidthHeight();
        EXPECT_EQ(chart.ChartRect, c.Out);
        EXPECT_EQ(chart.ChartWidth, c.Width);
        EXPECT_EQ(chart.ChartHeight, c.Height);
        EXPECT_EQ(chart.ChartXCenter, c.XCenter);
        EXPECT_EQ(chart.ChartYCenter, c.YCenter);
    }
}

TEST(ChartPanel, CleanImageIsCopiedNotRedrawn)
{
    TRecordedChart chart;
    chart.SetBounds(0, 0, 200, 120);
    std::vector<TDrawCall> window;
    chart.PaintWindow(&window);
    EXPECT_FALSE(chart.ImageDirty);
    EXPECT_FALSE(chart.Calls.empty());
    ASSERT_EQ(window.size(), 1u);
    EXPECT_EQ(window[0].Op, "Draw");
    EXPECT_EQ(window[0].Args, (std::vector<int>{0, 0, 200, 120}));

    chart.Calls.clear();
    window.clear();
    chart.PaintWindow(&window);
    EXPECT_TRUE(chart.Calls.empty());  // nothing drawn into the image
    ASSERT_EQ(window.size(), 1u);
    EXPECT_EQ(window[0].Op, "Draw");

    chart.SetBounds(0, 0, 210, 120);  // resizing redraws
    chart.PaintWindow();
    EXPECT_FALSE(chart.Calls.empty());
    EXPECT_EQ(chart.ChartImage()->width(), 210);
}

TEST(ChartPanel, ErrorInsidePaintLeavesTheImageDirty)
{
    TRecordedChart chart;
    chart.DuringTitles = [] { throw std::runtime_error("kaputt"); };
    EXPECT_THROW(chart.PaintWindow(), std::runtime_error);
    EXPECT_TRUE(chart.ImageDirty);
    chart.DuringTitles = nullptr;
    chart.PaintWindow();
    EXPECT_FALSE(chart.ImageDirty);
}

TEST(ChartPanel, SettersInvalidateOnlyOnAnEffectiveChange)
{
    TRecordedChart chart;
    int invalidations = 0;
    chart.OnInvalidate = [&] { ++invalidations; };
    const struct {
        const char* Name;
        std::function<void()> Set;
    } setters[] = {
        {"View3D", [&] { chart.SetView3D(false); }},
        {"View3DWalls", [&] { chart.SetView3DWalls(false); }},
        {"AxisVisible", [&] { chart.SetAxisVisible(false); }},
        {"ClipPoints", [&] { chart.SetClipPoints(false); }},
        {"BackColor", [&] { chart.SetBackColor(0x39C9FF); }},
        {"MarginLeft", [&] { chart.SetMarginLeft(5); }},
        {"MarginBottom", [&] { chart.SetMarginBottom(0); }},
        {"Chart3DPercent", [&] { chart.SetChart3DPercent(20); }},
        {"Frame", [&] { chart.Frame()->SetWidth(2); }},
        {"Gradient", [&] { chart.Gradient().SetVisible(true); }},
        {"GradientEnd", [&] { chart.Gradient().SetEndColor(0x80FFFF); }},
        {"Wall", [&] { chart.LeftWall().SetColor(clSilver); }},
        {"WallPen", [&] { chart.BottomWall().Pen().SetColor(clRed); }},
        {"WallSize", [&] { chart.BottomWall().SetSize(3); }},
        {"TitleFont", [&] { chart.Title().Font().SetHeight(-20); }},
        {"FootVisible", [&] { chart.Foot().SetVisible(false); }},
        {"TitleAlignment", [&] { chart.Title().SetAlignment(taLeftJustify); }},
        {"LegendAlignment", [&] { chart.Legend()->SetAlignment(laBottom); }},
        {"LegendFont", [&] { chart.Legend()->Font().SetColor(clRed); }},
    };
    for (const auto& s : setters) {
        invalidations = 0;
        chart.ImageDirty = false;
        s.Set();
        EXPECT_EQ(invalidations, 1) << s.Name;
        EXPECT_TRUE(chart.ImageDirty) << s.Name;
        chart.ImageDirty = false;
        s.Set();
        EXPECT_EQ(invalidations, 1) << s.Name << " set again";
        EXPECT_FALSE(chart.ImageDirty) << s.Name << " set again";
    }
    // Monochrome drops the image whenever it is set, but repaints only on a change.
    invalidations = 0;
    chart.SetMonochrome(true);
    chart.SetMonochrome(true);
    EXPECT_EQ(invalidations, 1);
    invalidations = 0;
    chart.Title().SetText(chart.Title().Text());  // a title's text repaints even when unchanged
    EXPECT_EQ(invalidations, 1);
}

TEST(ChartPanel, InvalidSettingsAreRefusedAndKept)
{
    TRecordedChart chart;
    TCustomChartLegend& legend = *chart.Legend();
    const struct {
        std::function<void()> Set;
        const char* Message;
    } cases[] = {
        {[&] { chart.SetChart3DPercent(0); }, "3D effect percent must be between 1 and 100"},
        {[&] { chart.SetChart3DPercent(101); }, "3D effect percent must be between 1 and 100"},
        {[&] { legend.SetColorWidth(101); }, "Legend Color Width must be between 0 and 100 %"},
        {[&] { legend.SetTopPos(-1); }, "Top Legend Position must be between 0 and 100 %"},
        {[&] { legend.SetFirstValue(-1); }, "First Legend Value must be > 0"},
    };
    for (const auto& c : cases) {
        try {
            c.Set();
            ADD_FAILURE() << c.Message;
        } catch (const ChartException& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
    }
    EXPECT_EQ(chart.Chart3DPercent(), 15);
    EXPECT_EQ(legend.ColorWidth(), 12);
    EXPECT_EQ(legend.TopPos(), 10);
    EXPECT_EQ(legend.FirstValue(), 0);
    legend.SetFirstValue(0);
}

class SeriesOnAxesTest : public ::testing::Test {
public:
    SeriesOnAxesTest()
    {
        for (TLineSeries* s : {&A, &B})
            s->SetParentChart(&Chart);
        Chart.SetView3D(false);
    }

    TRecordedChart Chart;
    TLineSeries A;
    TLineSeries B;
};

TEST_F(SeriesOnAxesTest, AxisVisibilityFollowsTheFirstActiveSeries)
{
    EXPECT_TRUE(Chart.IsAxisVisible(Chart.BottomAxis()));
    EXPECT_TRUE(Chart.IsAxisVisible(Chart.LeftAxis()));
    EXPECT_FALSE(Chart.IsAxisVisible(Chart.TopAxis()));
    EXPECT_FALSE(Chart.IsAxisVisible(Chart.RightAxis()));

    A.SetActive(false);
    B.SetVertAxis(aRightAxis);
    EXPECT_TRUE(Chart.IsAxisVisible(Chart.RightAxis()));
    EXPECT_FALSE(Chart.IsAxisVisible(Chart.LeftAxis()));

    B.SetActive(false);  // no active series: all four
    for (const TChartAxis* axis : {Chart.TopAxis(), Chart.BottomAxis(), Chart.LeftAxis(), Chart.RightAxis()})
        EXPECT_TRUE(Chart.IsAxisVisible(axis));
    Chart.BottomAxis()->SetSetting(&TAxisSettings::Visible, false);
    EXPECT_FALSE(Chart.IsAxisVisible(Chart.BottomAxis()));
    Chart.SetAxisVisible(false);
    EXPECT_FALSE(Chart.IsAxisVisible(Chart.LeftAxis()));
}

// The extremes themselves are checked through the axes' range.
TEST_F(SeriesOnAxesTest, AxisSeriesIsTheFirstActiveOne)
{
    A.Add(5);
    A.Add(-2);
    B.Add(40);
    EXPECT_EQ(Chart.SeriesMinMax(Chart.BottomAxis(), false, true), 1.0);
    EXPECT_EQ(Chart.AxisSeries(Chart.LeftAxis()), &A);
    A.SetActive(false);
    EXPECT_EQ(Chart.AxisSeries(Chart.LeftAxis()), &B);
    B.SetActive(false);
    EXPECT_EQ(Chart.AxisSeries(Chart.LeftAxis()), nullptr);
}

TEST_F(SeriesOnAxesTest, SeriesStepClipsInsideTheFrame)
{
    A.Add(1);
    A.Add(2);
    Chart.SetBounds(0, 0, 300, 200);
    Chart.PaintWindow();
    const auto backgrounds = CallsOf(Chart.Calls, "Rectangle");
    ASSERT_FALSE(backgrounds.empty());
    const auto clips = CallsOf(Chart.Calls, "ClipRectangle");
    ASSERT_EQ(clips.size(), 1u);  // B has no points
    EXPECT_EQ(CallsOf(Chart.Calls, "UnClip").size(), 1u);
    // The background is the chart rectangle with one more column; the clip leaves out its frame.
    const std::vector<int>& back = backgrounds.back().Args;
    EXPECT_EQ(clips[0].Args, (std::vector<int>{back[0] + 1, back[1] + 1, back[2] - 1, back[3] - 1}));
    EXPECT_EQ(back[2] - 1, Chart.ChartRect.Right);

    Chart.Frame()->SetVisible(false);
    Chart.PaintWindow();
    EXPECT_TRUE(CallsOf(Chart.Calls, "Rectangle").size() < backgrounds.size());  // no back colour, no frame
    const auto unframed = CallsOf(Chart.Calls, "ClipRectangle");
    ASSERT_EQ(unframed.size(), 1u);
    EXPECT_EQ(unframed[0].Args[2], Chart.ChartRect.Right);
}

TEST_F(SeriesOnAxesTest, DepthBoxSizesAndClipOutline)
{
    TLineSeries c, d;
    c.SetParentChart(&Chart);
    d.SetParentChart(&Chart);
    Chart.SetView3D(true);
    Chart.ChartBounds = {0, 0, 600, 400};
    Chart.ChartRect = {10, 10, 505, 260};
    Chart.RecalcWidthHeight();
    Chart.CalcZOrders();
    Chart.CalcAxisRect();
    EXPECT_EQ(Chart.SeriesWidth3D, 7);   // 495 * 0.015 = 7.425
    EXPECT_EQ(Chart.SeriesHeight3D, 4);  // 250 * 0.015 = 3.75
    EXPECT_EQ(Chart.Width3D, 28);
    EXPECT_EQ(Chart.Height3D, 16);

    // Products that would end in exactly one half lie just below it and round down.
    Chart.ChartRect = {0, 0, 100, 300};
    Chart.RecalcWidthHeight();
    Chart.CalcAxisRect();
    EXPECT_EQ(Chart.SeriesWidth3D, 1);
    EXPECT_EQ(Chart.SeriesHeight3D, 4);
}

}  // namespace
