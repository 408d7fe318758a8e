#include "chart/Series/LineSeries.h"

#include "chart/Chart/DataChart.h"
#include "chart/ChartEngine/ChartAxis.h"
#include "chart/ChartEngine/ChartLegend.h"
#include "testing/chart/RecordingCanvas.h"

#include <QImage>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace {

// A chart painting on a recording surface, with the settings of the chart window.
class TLineChart : public TDataChart {
public:
    std::vector<TDrawCall> Calls;

    TLineChart()
    {
        SetBounds(0, 0, 527, 307);
        SetBackColor(0x39C9FF);
        Title().SetText({""});
        Legend()->SetAlignment(laBottom);
        Legend()->SetInverted(true);
        SetView3D(false);
    }

    void PaintNow()
    {
        QImage window(Width(), Height(), QImage::Format_RGB32);
        std::vector<TDrawCall> ignored;
        TRecordingCanvas canvas(&window, ignored);
        Invalidate();
        Paint(canvas);
    }

    // The calls made while the series region was clipped, i.e. the series' own drawing.
    std::vector<TDrawCall> SeriesCalls(const std::string& op) const
    {
        std::vector<TDrawCall> result;
        bool clipped = false;
        for (const TDrawCall& call : Calls) {
            if (call.Op == "ClipRectangle" || call.Op == "ClipPolygon")
                clipped = true;
            else if (call.Op == "UnClip")
                clipped = false;
            else if (clipped && call.Op == op)
                result.push_back(call);
        }
        return result;
    }

    int Px(double x) const { return BottomAxis()->ValueToPixel(x); }
    int Py(double y) const { return LeftAxis()->ValueToPixel(y); }

protected:
    std::unique_ptr<TChartCanvas> CreateImageCanvas(QImage& image) override
    {
        Calls.clear();
        return std::make_unique<TRecordingCanvas>(&image, Calls);
    }
};

class LineDrawingTest : public ::testing::Test {
public:
    LineDrawingTest()
    {
        Series.SetSeriesColor(clRed);
        Series.SetParentChart(&Chart);
    }

    std::vector<std::vector<int>> LineArgs() const
    {
        std::vector<std::vector<int>> args;
        for (const TDrawCall& call : Chart.SeriesCalls("Line"))
            args.push_back(call.Args);
        return args;
    }

    TLineChart Chart;
    TLineSeries Series;
};

TEST_F(LineDrawingTest, NoPointOrOnePointDrawsNothing)
{
    Chart.PaintNow();
    EXPECT_TRUE(CallsOf(Chart.Calls, "ClipRectangle").empty()) << "an empty series is skipped before clipping";
    Series.Add(57);
    Chart.PaintNow();
    EXPECT_EQ(CallsOf(Chart.Calls, "ClipRectangle").size(), 1u);
    EXPECT_TRUE(LineArgs().empty());
}

TEST_F(LineDrawingTest, TwoPointsDrawOneSegmentInTheSecondPointsColour)
{
    Series.Add(10, "", clBlue);
    Series.Add(90, "", 0x00FF00);
    Chart.PaintNow();
    const auto lines = Chart.SeriesCalls("Line");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Args, (std::vector<int>{Chart.Px(0), Chart.Py(10), Chart.Px(1), Chart.Py(90)}));
    EXPECT_EQ(lines[0].Pen.Color, 0x00FF00u);
    EXPECT_EQ(lines[0].Pen.Width, 1);
    EXPECT_EQ(lines[0].Brush.Style, bsClear);
}

// Segments in values: points on one pixel, null points (NaN here) and points too far out draw none;
// stairs step along X first, inverted stairs along Y first.
TEST(LineSegments, JoinOnlyDrawnPointsAndStepForStairs)
{
    const double kNull = std::nan("");
    const struct {
        const char* Name;
        std::vector<std::array<double, 2>> Points;
        bool Stairs, Inverted;
        double FixedTop;  // 0: automatic left axis
        std::vector<std::array<double, 4>> Segments;
    } cases[] = {
        {"same pixel", {{0, 5}, {1, 5}, {1, 5}, {2, 6}}, false, false, 0, {{0, 5, 1, 5}, {1, 5, 2, 6}}},
        {"null", {{0, 1}, {1, 2}, {2, kNull}, {3, 3}, {4, 4}}, false, false, 0, {{0, 1, 1, 2}, {3, 3, 4, 4}}},
        {"too far", {{0, 0}, {1, 1e9}, {2, 1}}, false, false, 1, {{0, 0, 2, 1}}},
        {"stairs", {{0, 10}, {1, 90}}, true, false, 0, {{0, 10, 1, 10}, {1, 10, 1, 90}}},
        {"inverted stairs", {{0, 10}, {1, 90}}, true, true, 0, {{0, 10, 0, 90}, {0, 90, 1, 90}}},
    };
    for (const auto& c : cases) {
        TLineChart chart;
        TLineSeries series;
        series.SetParentChart(&chart);
        for (const auto& [x, y] : c.Points) {
            if (std::isnan(y))
                series.AddNull();
            else
                series.AddXY(x, y);
        }
        series.SetStairs(c.Stairs);
        series.SetInvertedStairs(c.Inverted);
        if (c.FixedTop > 0)
            chart.LeftAxis()->SetMinMax(0, c.FixedTop);
        chart.PaintNow();
        std::vector<std::vector<int>> expected;
        for (const auto& v : c.Segments)
            expected.push_back({chart.Px(v[0]), chart.Py(v[1]), chart.Px(v[2]), chart.Py(v[3])});
        std::vector<std::vector<int>> drawn;
        for (const TDrawCall& call : chart.SeriesCalls("Line"))
            drawn.push_back(call.Args);
        EXPECT_EQ(drawn, expected) << c.Name;
    }
}

TEST_F(LineDrawingTest, ZoomedInFirstPointIsJoinedToTheLeftEdgeAtTheInterpolatedHeight)
{
    Series.Add(0);
    Series.Add(100);
    Series.Add(0);
    Chart.BottomAxis()->SetMinMax(0.5, 2);
    Chart.PaintNow();
    const auto lines = LineArgs();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], (std::vector<int>{Chart.Px(0.5), Chart.Py(50), Chart.Px(1), Chart.Py(100)}));
    EXPECT_EQ(lines[0][0], Chart.ChartRect.Left);

    // Stairs keep the height of the point left of the edge.
    Series.SetStairs(true);
    Chart.PaintNow();
    EXPECT_EQ(LineArgs().front(), (std::vector<int>{Chart.Px(0.5), Chart.Py(0), Chart.Px(1), Chart.Py(0)}));
}

TEST_F(LineDrawingTest, SegmentLeavingThePlottingAreaIsCutAtItsBorder)
{
    Series.SetSeriesColor(0x00FF00);
    Chart.Legend()->SetVisible(false);  // its symbol has the series colour too
    Chart.LeftAxis()->SetMinMax(0, 50);
    Series.Add(10);
    Series.Add(100);
    Chart.PaintNow();
    const auto clips = CallsOf(Chart.Calls, "ClipRectangle");
    ASSERT_EQ(clips.size(), 1u);
    const TRect clip = {clips[0].Args[0], clips[0].Args[1], clips[0].Args[2], clips[0].Args[3]};
    ASSERT_EQ(LineArgs().size(), 1u);
    EXPECT_LT(LineArgs()[0][3], clip.Top) << "the segment itself runs beyond the top";

    const QImage& image = *Chart.ChartImage();
    int inside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(0, 255, 0))
                continue;
            ++inside;
            EXPECT_TRUE(x >= clip.Left && x < clip.Right && y >= clip.Top && y < clip.Bottom) << x << "," << y;
        }
    }
    EXPECT_GT(inside, 0);
}

TEST_F(LineDrawingTest, RibbonInDepthWithBlackOutline)
{
    Chart.SetView3D(true);
    Series.Add(10, "", clBlue);
    Series.Add(90, "", 0x00FF00);
    Chart.PaintNow();
    EXPECT_TRUE(LineArgs().empty());
    const auto polygons = Chart.SeriesCalls("Polygon");
    ASSERT_EQ(polygons.size(), 1u);
    const int w = Chart.SeriesWidth3D, h = Chart.SeriesHeight3D;
    ASSERT_GT(w, 0);
    const int x0 = Chart.Px(0), y0 = Chart.Py(10), x1 = Chart.Px(1), y1 = Chart.Py(90);
    EXPECT_EQ(polygons[0].Args, (std::vector<int>{x1, y1, x0, y0, x0 + w, y0 - h, x1 + w, y1 - h}));
    EXPECT_EQ(polygons[0].Brush, (TCanvasBrush{0x00FF00, bsSolid}));
    EXPECT_EQ(polygons[0].Pen.Color, clBlack);

    // A clear line brush leaves the ribbon out; an area colour replaces the point colour.
    Series.SetLineBrush(bsClear);
    Chart.PaintNow();
    EXPECT_TRUE(Chart.SeriesCalls("Polygon").empty());
    Series.SetLineBrush(bsSolid);
    Series.SetAreaColor(clGray);
    Chart.PaintNow();
    EXPECT_EQ(Chart.SeriesCalls("Polygon").at(0).Brush.Color, clGray);
}

// The chart window's four series, in its list order.
class FourSeriesTest : public ::testing::Test {
public:
    FourSeriesTest()
    {
        const std::array<TColor, 4> colours = {clAqua, 0x8000FF, clBlue, clRed};
        for (std::size_t i = 0; i < S.size(); ++i) {
            S[i].SetSeriesColor(colours[i]);
            S[i].SetParentChart(&Chart);
        }
    }

    TLineChart Chart;
    std::array<TLineSeries, 4> S;  // Series3, Series2, Series4, Series1
};

TEST_F(FourSeriesTest, LastSeriesInTheListLiesOnTopInTheFlatView)
{
    const std::array<double, 5> ys = {0, 40, 20, 70, 100};
    for (TLineSeries& s : S) {
        for (double y : ys)
            s.Add(y);
    }
    Chart.PaintNow();
    const auto lines = Chart.SeriesCalls("Line");
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines.front().Pen.Color, clAqua);
    EXPECT_EQ(lines.back().Pen.Color, clRed);
    // The four lines coincide; every inner vertex ends up red.
    const QImage& image = *Chart.ChartImage();
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(image.pixel(Chart.Px(i), Chart.Py(ys[static_cast<std::size_t>(i)])), qRgb(255, 0, 0)) << i;
}

TEST_F(FourSeriesTest, DepthBandsCloseUpWhenASeriesIsOff)
{
    for (TLineSeries& s : S) {
        s.Add(10);
        s.Add(20);
    }
    Chart.SetView3D(true);
    S[2].SetActive(false);  // Series4
    Chart.PaintNow();
    EXPECT_EQ(S[0].ZOrder, 2);
    EXPECT_EQ(S[1].ZOrder, 1);
    EXPECT_EQ(S[3].ZOrder, 0);
    EXPECT_EQ(Chart.Width3D, 3 * Chart.SeriesWidth3D);

    // Back to front: each ribbon starts its band's offset right of and above the front one.
    const auto ribbons = Chart.SeriesCalls("Polygon");
    ASSERT_EQ(ribbons.size(), 3u);
    const std::array<int, 3> bands = {2, 1, 0};
    for (std::size_t i = 0; i < ribbons.size(); ++i) {
        EXPECT_EQ(ribbons[i].Args[2], Chart.Px(0) + bands[i] * Chart.SeriesWidth3D);
        EXPECT_EQ(ribbons[i].Args[3], Chart.Py(10) - bands[i] * Chart.SeriesHeight3D);
    }
    EXPECT_EQ(ribbons.back().Brush.Color, clRed);
}

TEST_F(LineDrawingTest, ClickedFindsThePointNearerOnADrawnSegment)
{
    for (double y : {0.0, 100.0, 0.0})
        Series.Add(y);
    Chart.PaintNow();
    const int x0 = Chart.Px(0), x1 = Chart.Px(1);
    const int y0 = Chart.Py(0), y1 = Chart.Py(100);
    EXPECT_EQ(Series.Clicked(x0 + (x1 - x0) / 4, y0 + (y1 - y0) / 4), 0);
    EXPECT_EQ(Series.Clicked(x0 + 3 * (x1 - x0) / 4, y0 + 3 * (y1 - y0) / 4 + 2), 1);
    EXPECT_EQ(Series.Clicked(x1 + 1, y1 + 2), 1);
    EXPECT_EQ(Series.Clicked(x0 + (x1 - x0) / 2, y0), -1);
    TChartSeries& asSeries = Series;  // as the chart's mouse handling asks
    EXPECT_EQ(asSeries.Clicked(x1 + 1, y1 + 2), 1);
    // Stairs are hit on their steps, not on the diagonal.
    Series.SetStairs(true);
    Chart.PaintNow();
    EXPECT_EQ(Series.Clicked(x1 - 1, y0 + (y1 - y0) / 3), 1);
    EXPECT_EQ(Series.Clicked(x0 + (x1 - x0) / 2, y0 + (y1 - y0) / 2), -1);
    Series.SetActive(false);
    EXPECT_EQ(Series.Clicked(x1, y1), -1);
}

TEST_F(LineDrawingTest, ClickedOnARibbonInDepth)
{
    Chart.SetView3D(true);
    Series.Add(0);
    Series.Add(100);
    Chart.PaintNow();
    // A quarter along the ribbon, half its depth back: off the front line, inside the band.
    const int xq = Chart.Px(0) + (Chart.Px(1) - Chart.Px(0)) / 4 + Chart.SeriesWidth3D / 2;
    const int yq = Chart.Py(0) + (Chart.Py(100) - Chart.Py(0)) / 4 - Chart.SeriesHeight3D / 2;
    EXPECT_EQ(Series.Clicked(xq, yq), 0);
    EXPECT_EQ(Series.Clicked(xq - 20, yq - 20), -1);
}

TEST(SeriesPointer, VisibleMarkerIsDrawnOverTheLines)
{
    TLineChart chart;
    TLineSeries series;
    series.SetParentChart(&chart);
    series.Add(10);
    series.Add(20);
    series.Pointer().SetVisible(true);
    chart.PaintNow();
    const auto rects = chart.SeriesCalls("Rectangle");
    ASSERT_EQ(rects.size(), 2u);
    const int x = chart.Px(1), y = chart.Py(20);
    EXPECT_EQ(rects[1].Args, (std::vector<int>{x - 4, y - 4, x + 5, y + 5}));
    EXPECT_EQ(rects[1].Brush.Color, series.SeriesColor());
}

}  // namespace
