#include "chart/Chart/CustomChart.h"

#include "chart/Chart/ChartGradient.h"
#include "testing/chart/RecordingCanvas.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// Runs one paint step on a recording surface over an image of the chart's size.
class ChartStepsTest : public ::testing::Test {
public:
    ChartStepsTest() : Image(527, 307, QImage::Format_RGB32)
    {
        Canvas = std::make_unique<TRecordingCanvas>(&Image, Calls);
        Chart.ChartBounds = {0, 0, 527, 307};
        Chart.ChartRect = {16, 9, 511, 298};
        Chart.RecalcWidthHeight();
    }

    // The chart draws on FDrawingCanvas; outside a paint that is its scratch surface, so the
    // steps under test get this canvas through a subclass.
    class TStepChart : public TCustomChart {
    public:
        void Use(TChartCanvas* canvas) { FDrawingCanvas = canvas; }
        using TCustomChart::FillPanelRect;
    };

    void SetUp() override { Chart.Use(Canvas.get()); }
    void TearDown() override { Chart.Use(nullptr); }

    std::vector<TDrawCall> Calls;
    QImage Image;
    std::unique_ptr<TRecordingCanvas> Canvas;
    TStepChart Chart;
};

TEST_F(ChartStepsTest, TitleOfOneEmptyLineTakesOneLinePlusFive)
{
    Chart.Title().SetText({""});
    const int fh = Chart.FontHeight();
    Chart.DrawTitle(Chart.Title(), true);
    Chart.SetCanvasFont(Chart.Title().Font());
    EXPECT_EQ(fh, Chart.FontHeight());
    // "Arial" 8 points at 120 pixels per inch is 13 pixels high, 15 with its cell.
    EXPECT_EQ(Chart.Title().Font().Height(), -13);
    EXPECT_EQ(fh, 15);
    EXPECT_EQ(Chart.ChartRect, (TRect{16, 9 + Chart.FontHeight() + 5, 511, 298}));
    const auto texts = CallsOf(Calls, "TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Args, (std::vector<int>{(16 + 511) / 2, 9}));
    EXPECT_EQ(texts[0].FontColor, clBlue);
    EXPECT_EQ(Chart.Title().TitleRect, (TRect{16, 9, 511, 9 + Chart.FontHeight()}));
}

TEST_F(ChartStepsTest, EmptyTitleAndFootTakeNothing)
{
    Chart.DrawTitle(Chart.Title(), true);
    Chart.DrawTitle(Chart.Foot(), false);
    EXPECT_EQ(Chart.ChartRect, (TRect{16, 9, 511, 298}));
    EXPECT_TRUE(CallsOf(Calls, "TextOut").empty());
}

TEST_F(ChartStepsTest, FootLinesStackUpwardsFromTheBottom)
{
    Chart.Foot().Font().SetHeight(-13);
    Chart.Foot().SetAlignment(taLeftJustify);
    Chart.Foot().SetText({"erste", "zweite"});
    Chart.SetCanvasFont(Chart.Foot().Font());
    const int fh = Chart.FontHeight();
    Calls.clear();
    Chart.DrawTitle(Chart.Foot(), false);
    const auto texts = CallsOf(Calls, "TextOut");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Text, "zweite");
    EXPECT_EQ(texts[0].Args, (std::vector<int>{16, 298 - fh}));
    EXPECT_EQ(texts[1].Text, "erste");
    EXPECT_EQ(texts[1].Args, (std::vector<int>{16, 298 - 2 * fh}));
    EXPECT_EQ(Chart.ChartRect.Bottom, 298 - 2 * fh - 5);
}

TEST_F(ChartStepsTest, FramedRightAlignedTitle)
{
    Chart.Title().Frame().SetVisible(true);
    Chart.Title().Frame().SetWidth(2);
    Chart.Title().SetAlignment(taRightJustify);
    Chart.Title().SetText({"Titel"});
    Chart.SetCanvasFont(Chart.Title().Font());
    const int fh = Chart.FontHeight();
    const int tw = Chart.TextWidth("Titel");
    Calls.clear();
    Chart.DrawTitle(Chart.Title(), true);
    const auto frames = CallsOf(Calls, "Rectangle");
    ASSERT_EQ(frames.size(), 1u);
    // Grown by the frame width, then narrowed to the text plus the frame on the right side.
    EXPECT_EQ(frames[0].Args, (std::vector<int>{511 - tw - 4, 9, 511, 11 + fh + 2}));
    const auto texts = CallsOf(Calls, "TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Args, (std::vector<int>{509 - tw, 11}));
    EXPECT_EQ(Chart.ChartRect.Top, 11 + fh + 4 + 5);
}

TEST_F(ChartStepsTest, GradientBandsRowsAndColours)
{
    const struct {
        std::int32_t Height;
        std::int32_t Bands;
    } cases[] = {{600, 256}, {307, 256}, {100, 100}, {1, 1}, {0, 0}};
    for (const auto& c : cases) {
        Calls.clear();
        GradientFill(*Canvas, {0, 0, 50, c.Height}, clWhite, 0x80FFFF, false);
        const auto bands = CallsOf(Calls, "FillRect");
        ASSERT_EQ(static_cast<std::int32_t>(bands.size()), c.Bands) << c.Height;
        if (bands.empty())
            continue;
        // Band 0 in the first colour at the bottom, the last band in the second at the top,
        // together covering every row once.
        EXPECT_EQ(bands.front().Brush.Color, clWhite);
        EXPECT_EQ(bands.front().Args[3], c.Height);
        if (c.Bands > 1) {
            EXPECT_EQ(bands.back().Brush.Color, 0x80FFFFu);
        }
        EXPECT_EQ(bands.back().Args[1], 0);
        for (std::size_t i = 1; i < bands.size(); ++i)
            EXPECT_EQ(bands[i].Args[3], bands[i - 1].Args[1]);
        for (const TDrawCall& band : bands) {
            const int rows = band.Args[3] - band.Args[1];
            if (c.Height == 600) {
                EXPECT_TRUE(rows == 2 || rows == 3) << rows;
            }
            EXPECT_EQ(band.Args[0], 0);
            EXPECT_EQ(band.Args[2], 50);
        }
    }
}

TEST_F(ChartStepsTest, GradientColourSteps)
{
    GradientFill(*Canvas, {0, 0, 3, 300}, 0x000000, 0x0000FF, false);
    const auto bands = CallsOf(Calls, "FillRect");
    ASSERT_EQ(bands.size(), 256u);
    EXPECT_EQ(bands[1].Brush.Color, 1u);
    EXPECT_EQ(bands[128].Brush.Color, 128u);  // 128 * 255 / 255
    // Falling components: white to 0x80FFFF changes only blue, from 255 down to 128.
    Calls.clear();
    GradientFill(*Canvas, {0, 0, 3, 3}, clWhite, 0x80FFFF, false);
    const auto three = CallsOf(Calls, "FillRect");
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[1].Brush.Color, 0xBFFFFFu);  // 255 + MulDiv(1, -127, 2) = 255 - 64
}

TEST_F(ChartStepsTest, GradientDirectionsAndPixels)
{
    Chart.Gradient().SetVisible(true);
    Chart.Gradient().SetEndColor(0x80FFFF);
    Chart.FillPanelRect({0, 0, 527, 307});
    Canvas.reset();
    EXPECT_EQ(Image.pixel(10, 306), 0xFFFFFFFF);  // StartColor at the bottom
    EXPECT_EQ(Image.pixel(10, 0), 0xFFFFFF80);    // EndColor (0x80FFFF) at the top
    Canvas = std::make_unique<TRecordingCanvas>(&Image, Calls);
    Chart.Use(Canvas.get());

    Calls.clear();
    Chart.Gradient().SetDirection(gdRightLeft);
    Chart.FillPanelRect({0, 0, 10, 5});
    const auto columns = CallsOf(Calls, "FillRect");
    ASSERT_EQ(columns.size(), 10u);
    EXPECT_EQ(columns.front().Args, (std::vector<int>{9, 0, 10, 5}));
    EXPECT_EQ(columns.front().Brush.Color, 0x80FFFFu);  // first band is EndColor at the right
    EXPECT_EQ(columns.back().Brush.Color, clWhite);

    Calls.clear();
    Chart.Gradient().SetVisible(false);
    Chart.FillPanelRect({0, 0, 10, 5});
    const auto plain = CallsOf(Calls, "FillRect");
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].Brush.Color, clBtnFace);
}

TEST_F(ChartStepsTest, PanelGetsARaisedOnePixelBevel)
{
    Chart.DrawPanel({0, 0, 20, 10});
    const auto lines = CallsOf(Calls, "Line");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].Pen.Color, clBtnHighlight);
    EXPECT_EQ(lines[0].Args, (std::vector<int>{0, 0, 19, 0}));
    EXPECT_EQ(lines[1].Args, (std::vector<int>{0, 0, 0, 9}));
    EXPECT_EQ(lines[2].Pen.Color, clBtnShadow);
    EXPECT_EQ(lines[2].Args, (std::vector<int>{0, 9, 20, 9}));
    EXPECT_EQ(lines[3].Args, (std::vector<int>{19, 0, 19, 9}));
}

TEST_F(ChartStepsTest, ChartBackgroundIsTheRectangleWithOneMoreColumn)
{
    Chart.SetBackColor(0x39C9FF);
    Chart.SetView3D(false);
    Chart.DrawChartBackground();
    const auto rects = CallsOf(Calls, "Rectangle");
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].Args, (std::vector<int>{16, 9, 512, 298}));
    EXPECT_EQ(rects[0].Brush.Color, 0x39C9FFu);
    EXPECT_EQ(rects[0].Brush.Style, bsSolid);
    EXPECT_EQ(rects[0].Pen.Color, clBlack);

    Calls.clear();
    Chart.Frame()->SetVisible(false);
    Chart.SetBackColor(clChartDefault);
    Chart.DrawChartBackground();
    EXPECT_TRUE(CallsOf(Calls, "Rectangle").empty());
}

TEST_F(ChartStepsTest, WallsOnlyInTheDepthView)
{
    Chart.LeftWall().SetColor(clSilver);
    Chart.SetView3D(false);
    Chart.DrawChartBackground();
    EXPECT_TRUE(CallsOf(Calls, "Polygon").empty());

    Chart.SetView3D(true);
    Chart.Width3D = 28;
    Chart.Height3D = 16;
    Calls.clear();
    Chart.DrawChartBackground();
    const auto walls = CallsOf(Calls, "Polygon");
    ASSERT_EQ(walls.size(), 2u);
    // Back face, then left wall, then bottom wall, each outlined in black.
    EXPECT_EQ(CallsOf(Calls, "Rectangle").at(0).Args, (std::vector<int>{44, -7, 540, 282}));
    EXPECT_EQ(walls[0].Args, (std::vector<int>{44, -7, 44, 282, 16, 299, 16, 9}));
    EXPECT_EQ(walls[0].Brush, (TCanvasBrush{clSilver, bsSolid}));
    EXPECT_EQ(walls[1].Args, (std::vector<int>{44, 281, 539, 281, 511, 298, 16, 298}));
    EXPECT_EQ(walls[1].Brush, (TCanvasBrush{clWhite, bsSolid}));
    EXPECT_EQ(walls[1].Pen.Color, clBlack);

    Calls.clear();
    Chart.SetView3DWalls(false);
    Chart.DrawChartBackground();
    EXPECT_TRUE(CallsOf(Calls, "Polygon").empty());
}

TEST_F(ChartStepsTest, ThickWallsAddTheirFrontEdgesAndSides)
{
    Chart.SetView3D(true);
    Chart.Width3D = 28;
    Chart.Height3D = 16;
    Chart.LeftWall().SetSize(5);
    Chart.BottomWall().SetSize(4);
    Chart.LeftWall().SetColor(clChartDefault);  // transparent, outline only
    Chart.DrawChartBackground();
    const auto rects = CallsOf(Calls, "Rectangle");
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[1].Args, (std::vector<int>{17, 299, 11, 9}));
    EXPECT_EQ(rects[1].Brush.Style, bsClear);
    EXPECT_EQ(rects[2].Args, (std::vector<int>{11, 298, 511, 303}));
    const auto polygons = CallsOf(Calls, "Polygon");
    ASSERT_EQ(polygons.size(), 4u);
    EXPECT_EQ(polygons[1].Args, (std::vector<int>{44, -7, 39, -7, 11, 9, 16, 9}));
    EXPECT_EQ(polygons[3].Args, (std::vector<int>{539, 281, 539, 285, 510, 302, 510, 298}));
    EXPECT_EQ(Chart.WallSize(Chart.LeftAxis()), 5);
    EXPECT_EQ(Chart.WallSize(Chart.TopAxis()), 0);
    Chart.SetView3D(false);
    EXPECT_EQ(Chart.WallSize(Chart.LeftAxis()), 0);
}

TEST_F(ChartStepsTest, SeriesClipOutlinesTheDepthBox)
{
    Chart.SetView3D(true);
    Chart.Width3D = 28;
    Chart.Height3D = 16;
    Chart.ClipSeriesRegion({16, 25, 483, 298});
    const auto clips = CallsOf(Calls, "ClipPolygon");
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].Args, (std::vector<int>{17, 297, 17, 25, 44, 10, 511, 10, 511, 283, 483, 298}));
}

}  // namespace
