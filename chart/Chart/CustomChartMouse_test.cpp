#include "testing/chart/ZoomTestChart.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class MouseTest : public ::testing::Test {
public:
    bool Dragging() const { return Chart.Zoom.Active || Chart.Panning.Active; }

    TZoomTestChart Chart;
};

TEST_F(MouseTest, LeftDragZoomsOnlyBeyondSixteenPixelsBothWays)
{
    const struct {
        TPoint To;
        bool Zooms;
    } cases[] = {
        {{117, 117}, true}, {{116, 140}, false}, {{140, 116}, false}, {{100, 100}, false}, {{117, 300}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.To.X * 1000 + c.To.Y);
        TZoomTestChart chart;
        const double x1 = chart.BottomAxis()->PixelToValue(c.To.X);
        chart.ImageDirty = false;
        chart.Drag(mbLeft, {100, 100}, c.To);
        EXPECT_FALSE(chart.Zoom.Active);
        EXPECT_EQ(chart.Zoomed, c.Zooms);
        EXPECT_EQ(chart.ImageDirty, c.Zooms);
        EXPECT_EQ(chart.BottomAxis()->Automatic(), !c.Zooms);
        if (c.Zooms) {
            EXPECT_EQ(chart.BottomAxis()->Maximum(), x1);
        }
    }
}

TEST_F(MouseTest, LeftDragLeftOrUpUndoes)
{
    for (const TPoint to : {TPoint{83, 83}, TPoint{83, 200}, TPoint{200, 83}}) {
        SCOPED_TRACE(to.X * 1000 + to.Y);
        TZoomTestChart chart;
        chart.Drag(mbLeft, {100, 100}, {200, 200});
        ASSERT_TRUE(chart.Zoomed);
        chart.PaintNow();
        chart.Drag(mbLeft, {100, 100}, to);
        EXPECT_FALSE(chart.Zoomed);
        EXPECT_TRUE(chart.LeftAxis()->Automatic());
        EXPECT_TRUE(chart.BottomAxis()->Automatic());
        chart.PaintNow();
        EXPECT_EQ(chart.LeftAxis()->Maximum(), 100);
        EXPECT_EQ(chart.BottomAxis()->Maximum(), 40);
    }
}

TEST_F(MouseTest, ZoomBandIsDrawnInNotXorOnTheWindowAndRemovedAgain)
{
    const QImage clean = Chart.Window;
    Chart.MouseDown(mbLeft, 0, 100, 100);
    Chart.MouseMove(0, 150, 130);
    EXPECT_NE(Chart.Window, clean);
    // Band outline only: a pixel on it changed, one inside did not.
    EXPECT_NE(Chart.Window.pixel(125, 100), clean.pixel(125, 100));
    EXPECT_NE(Chart.Window.pixel(149, 115), clean.pixel(149, 115));
    EXPECT_EQ(Chart.Window.pixel(125, 115), clean.pixel(125, 115));
    EXPECT_EQ(Chart.Window.pixel(150, 115), clean.pixel(150, 115));
    // A paint during the drag puts the band into the image; the release still removes it.
    Chart.PaintNow();
    Chart.MouseMove(0, 110, 105);
    Chart.MouseUp(mbLeft, 0, 110, 105);
    EXPECT_FALSE(Chart.Zoomed);
    EXPECT_EQ(Chart.Window, clean);
}

TEST_F(MouseTest, ZoomBandColourFollowsTheControlColour)
{
    const struct {
        TColor Control;
        TColor Pen;
    } cases[] = {{clWhite, clRed}, {clBtnFace, clBtnFace}, {clBlue, clBlue}};
    for (const auto& c : cases) {
        Chart.SetColor(c.Control);
        TChartCanvas canvas(&Chart.Window);
        Chart.OnDrawOnWindow = [&](const std::function<void(TChartCanvas&)>& draw) { draw(canvas); };
        Chart.MouseDown(mbLeft, 0, 100, 100);
        EXPECT_EQ(canvas.Pen, (TCanvasPen{c.Pen, 1, psSolid, pmNotXor}));
        EXPECT_EQ(canvas.Brush.Style, bsClear);
        Chart.MouseUp(mbLeft, 0, 100, 100);
        EXPECT_EQ(canvas.Pen.Mode, pmCopy);
    }
}

TEST_F(MouseTest, PressesThatStartNoDrag)
{
    const TRect legend = Chart.Legend()->RectLegend;
    const TRect title = Chart.Title().TitleRect;
    ASSERT_LT(legend.Left, legend.Right);
    ASSERT_LT(title.Top, title.Bottom);
    const TPoint points[] = {
        {(legend.Left + legend.Right) / 2, (legend.Top + legend.Bottom) / 2},
        {(title.Left + title.Right) / 2, title.Top + 1},
        {5, 5},
        {Chart.ChartRect.Right + 20, Chart.ChartYCenter},
    };
    for (const TPoint p : points) {
        for (const TMouseButton b : {mbLeft, mbRight}) {
            SCOPED_TRACE(p.X * 1000 + p.Y);
            Chart.MouseDown(b, 0, p.X, p.Y);
            EXPECT_FALSE(Dragging());
            Chart.MouseUp(b, 0, p.X, p.Y);
        }
    }
}

TEST_F(MouseTest, WithAllSeriesInactiveTheChartAreaStartsNoDrag)
{
    const TPoint centre = {Chart.ChartXCenter, Chart.ChartYCenter};
    Chart.MouseDown(mbMiddle, 0, centre.X, centre.Y);
    EXPECT_FALSE(Dragging());
    Chart.MouseDown(mbLeft, ssShift | ssCtrl, centre.X, centre.Y);
    EXPECT_TRUE(Chart.Zoom.Active);  // any keys are accepted
    Chart.MouseUp(mbLeft, 0, centre.X, centre.Y);

    for (TLineSeries& s : Chart.Lines)
        s.SetActive(false);
    Chart.PaintNow();
    for (const TMouseButton b : {mbLeft, mbRight}) {
        Chart.MouseDown(b, 0, centre.X, centre.Y);
        EXPECT_FALSE(Dragging());
    }
}

TEST_F(MouseTest, PressesOnALineOrAnAxisStartADrag)
{
    const TChartSeries& rising = Chart.Lines[0];
    const TPoint onLine = {Chart.BottomAxis()->ValueToPixel(20), Chart.LeftAxis()->ValueToPixel(50)};
    ASSERT_EQ(Chart.Lines[0].Clicked(onLine.X, onLine.Y), 20);
    const TPoint belowAxis = {Chart.ChartXCenter, Chart.BottomAxis()->ShiftedAxisPosition + 11};
    ASSERT_TRUE(Chart.BottomAxis()->AxisClicked(belowAxis.X, belowAxis.Y));
    std::vector<const TChartSeries*> clicked;
    Chart.OnClickSeries = [&](TCustomChart& chart, TChartSeries& s, std::int32_t index, TMouseButton, TShiftState,
                              std::int32_t, std::int32_t) {
        clicked.push_back(&s);
        EXPECT_EQ(index, 20);
        chart.CancelMouse = false;  // not claimed
    };
    for (const TPoint p : {onLine, belowAxis}) {
        Chart.MouseDown(mbRight, 0, p.X, p.Y);
        EXPECT_TRUE(Chart.Panning.Active);
        Chart.MouseUp(mbRight, 0, p.X, p.Y);
        EXPECT_FALSE(Chart.Panning.Active);
    }
    EXPECT_EQ(clicked, std::vector<const TChartSeries*>{&rising});
}

TEST_F(MouseTest, ClaimedPressesAndCancelMouse)
{
    const TPoint centre = {Chart.ChartXCenter, Chart.ChartYCenter - 40};
    int background = 0;
    Chart.OnClickBackground = [&](TCustomChart&, TMouseButton, TShiftState, std::int32_t, std::int32_t) {
        ++background;  // leaves CancelMouse set: claimed
    };
    Chart.MouseDown(mbLeft, 0, centre.X, centre.Y);
    EXPECT_FALSE(Dragging());
    EXPECT_FALSE(Chart.CancelMouse);
    EXPECT_EQ(background, 1);

    // A press nobody takes and no drag follows reaches the background handler once.
    Chart.MouseDown(mbMiddle, 0, 5, 5);
    EXPECT_EQ(background, 2);

    // The control's own press handler cancels the chart's handling of the press.
    Chart.OnClickBackground = nullptr;
    Chart.OnMouseDown = [&](TMouseButton, TShiftState, std::int32_t, std::int32_t) { Chart.CancelMouse = true; };
    Chart.MouseDown(mbLeft, 0, centre.X, centre.Y);
    EXPECT_FALSE(Dragging());
    EXPECT_FALSE(Chart.CancelMouse);
}

TEST_F(MouseTest, ASecondPressDuringADragIsIgnored)
{
    Chart.MouseDown(mbLeft, 0, 100, 100);
    Chart.MouseDown(mbRight, 0, 120, 120);
    EXPECT_FALSE(Chart.Panning.Active);
    EXPECT_EQ(Chart.Zoom.X0, 100);
    // A right release leaves the zoom drag running.
    Chart.MouseUp(mbRight, 0, 120, 120);
    EXPECT_TRUE(Chart.Zoom.Active);
}

TEST_F(MouseTest, ScrollingFollowsTheMouseInEveryDirection)
{
    const std::vector<std::vector<TPoint>> paths = {
        {{200, 120}, {230, 120}, {260, 120}},            // right
        {{200, 120}, {170, 120}, {140, 120}},            // left
        {{200, 120}, {200, 150}, {200, 180}},            // down
        {{200, 120}, {200, 90}, {200, 60}},              // up
        {{200, 120}, {240, 150}, {180, 70}, {160, 90}},  // there and back
    };
    for (const auto& path : paths) {
        SCOPED_TRACE(path[1].X * 1000 + path[1].Y);
        TZoomTestChart chart;
        // Room for labels of any width, so the plotting area stays where it is.
        chart.LeftAxis()->SetSetting(&TAxisSettings::LabelsSize, 40);
        chart.PaintNow();
        // The data under the pointer at the press stays under it.
        const double x = chart.BottomAxis()->PixelToValue(path[0].X);
        const double y = chart.LeftAxis()->PixelToValue(path[0].Y);
        int scrolls = 0;
        chart.OnScroll = [&](TCustomChart&) { ++scrolls; };
        chart.MouseDown(mbRight, 0, path[0].X, path[0].Y);
        for (std::size_t i = 1; i < path.size(); ++i) {
            chart.MouseMove(ssRight, path[i].X, path[i].Y);
            chart.PaintNow();
            EXPECT_EQ(chart.BottomAxis()->ValueToPixel(x), path[i].X);
            EXPECT_EQ(chart.LeftAxis()->ValueToPixel(y), path[i].Y);
        }
        chart.MouseUp(mbRight, 0, path.back().X, path.back().Y);
        EXPECT_EQ(scrolls, static_cast<int>(path.size()) - 1);
        EXPECT_TRUE(chart.ScalesSaved);
    }
}

TEST_F(MouseTest, PanningModeLimitsTheScrolledAxes)
{
    const struct {
        TPanningMode Mode;
        bool Horizontal;
        bool Vertical;
    } cases[] = {{pmHorizontal, true, false}, {pmVertical, false, true}, {pmNone, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Mode);
        TZoomTestChart chart;
        chart.AllowPanning = c.Mode;
        chart.Drag(mbRight, {200, 120}, {230, 150});
        EXPECT_EQ(!chart.BottomAxis()->Automatic(), c.Horizontal);
        EXPECT_EQ(!chart.LeftAxis()->Automatic(), c.Vertical);
    }
}

TEST_F(MouseTest, ScrollStopsAtTheChartBoxAndARefusedStepLeavesTheAxis)
{
    const TRect box = Chart.ChartRect;
    Chart.MouseDown(mbRight, 0, 200, 120);
    Chart.MouseMove(ssRight, box.Right + 3, 120);
    EXPECT_FALSE(Chart.Panning.Active);
    EXPECT_TRUE(Chart.BottomAxis()->Automatic());
    Chart.MouseMove(ssRight, 150, 120);  // back inside: no longer scrolls
    EXPECT_TRUE(Chart.BottomAxis()->Automatic());
    Chart.MouseUp(mbRight, 0, 150, 120);

    Chart.OnAllowScroll = [&](TChartAxis& axis, double& min, double& max, bool& allow) {
        allow = &axis != Chart.BottomAxis();
        min = 1;
        max = 2;
    };
    bool scrolled = false;
    Chart.OnScroll = [&](TCustomChart&) { scrolled = true; };
    Chart.Drag(mbRight, {200, 120}, {230, 120});
    EXPECT_TRUE(Chart.BottomAxis()->Automatic());
    EXPECT_EQ(Chart.TopAxis()->Minimum(), 1);
    EXPECT_TRUE(scrolled);
}

TEST_F(MouseTest, CursorOfASeriesUnderTheMouseAndBackOnLeaving)
{
    Chart.SetCursor(crCross);
    Chart.Lines[0].Cursor = crHandPoint;
    const TPoint onLine = {Chart.BottomAxis()->ValueToPixel(20), Chart.LeftAxis()->ValueToPixel(50)};
    Chart.MouseMove(0, onLine.X, onLine.Y);
    EXPECT_EQ(Chart.Cursor(), crHandPoint);
    Chart.MouseMove(0, 5, 5);
    EXPECT_EQ(Chart.Cursor(), crCross);

    Chart.MouseDown(mbLeft, 0, 100, 100);
    EXPECT_EQ(Chart.Cursor(), crDefault);
    Chart.MouseLeave();
    EXPECT_EQ(Chart.Cursor(), crCross);
}

}  // namespace
