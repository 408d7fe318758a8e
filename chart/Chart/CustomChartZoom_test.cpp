#include "testing/chart/ZoomTestChart.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TAxisState {
    bool Automatic;
    bool AutomaticMinimum;
    bool AutomaticMaximum;
    double Minimum;
    double Maximum;
    friend bool operator==(const TAxisState&, const TAxisState&) = default;
};

TAxisState StateOf(const TChartAxis& axis)
{
    return {axis.Automatic(), axis.AutomaticMinimum(), axis.AutomaticMaximum(), axis.Minimum(), axis.Maximum()};
}

class ZoomTest : public ::testing::Test {
public:
    TZoomTestChart Chart;
};

TEST_F(ZoomTest, ZoomRectTakesTheRangesAtTheCornersInAnyOrder)
{
    const TChartAxis& left = *Chart.LeftAxis();
    const TChartAxis& bottom = *Chart.BottomAxis();
    const double xMin = bottom.PixelToValue(120);
    const double xMax = bottom.PixelToValue(300);
    const double yMin = left.PixelToValue(200);
    const double yMax = left.PixelToValue(60);
    const TRect corners[] = {{120, 60, 300, 200}, {300, 200, 120, 60}, {300, 60, 120, 200}, {120, 200, 300, 60}};
    for (const TRect& r : corners) {
        SCOPED_TRACE(r.Left);
        TZoomTestChart chart;
        int zooms = 0;
        chart.OnZoom = [&](TCustomChart&) { ++zooms; };
        chart.ZoomRect(r);
        EXPECT_EQ(StateOf(*chart.BottomAxis()), (TAxisState{false, false, false, xMin, xMax}));
        EXPECT_EQ(StateOf(*chart.LeftAxis()), (TAxisState{false, false, false, yMin, yMax}));
        EXPECT_TRUE(chart.Zoomed);
        EXPECT_TRUE(chart.ScalesSaved);
        EXPECT_EQ(zooms, 1);
    }
}

TEST_F(ZoomTest, UndoRestoresTheStateFromBeforeTheFirstZoom)
{
    // A partly fixed right axis comes back exactly as it was, flags and range.
    TChartAxis& right = *Chart.RightAxis();
    right.SetMinMax(-5, 50);
    right.SetAutomaticMinimum(true);
    Chart.PaintNow();
    const TAxisState rightBefore = StateOf(right);
    ASSERT_EQ(rightBefore, (TAxisState{false, true, false, 0, 50}));

    Chart.ZoomValues({10, 20}, {1, 2}, {3, 4}, {5, 6});
    Chart.ZoomValues({12, 18}, {1, 2}, {3, 4}, {7, 8});  // the state is saved once
    EXPECT_EQ(Chart.LeftAxis()->Minimum(), 12);
    int undos = 0;
    Chart.OnUndoZoom = [&](TCustomChart&) { ++undos; };
    Chart.ImageDirty = false;
    Chart.UndoZoom();
    EXPECT_EQ(undos, 1);
    EXPECT_TRUE(Chart.ImageDirty);
    EXPECT_FALSE(Chart.Zoomed);
    EXPECT_FALSE(Chart.ScalesSaved);
    EXPECT_EQ(StateOf(right), rightBefore);
    for (const TChartAxis* axis : {Chart.LeftAxis(), Chart.TopAxis(), Chart.BottomAxis()})
        EXPECT_TRUE(axis->Automatic() && axis->AutomaticMinimum() && axis->AutomaticMaximum());
    Chart.PaintNow();
    EXPECT_EQ(Chart.LeftAxis()->Minimum(), 0);
    EXPECT_EQ(Chart.LeftAxis()->Maximum(), 100);
    EXPECT_EQ(Chart.BottomAxis()->Maximum(), 40);
}

TEST_F(ZoomTest, UndoWithoutZoomOnlyRepaints)
{
    const TAxisState before = StateOf(*Chart.LeftAxis());
    Chart.ImageDirty = false;
    Chart.UndoZoom();
    EXPECT_TRUE(Chart.ImageDirty);
    EXPECT_EQ(StateOf(*Chart.LeftAxis()), before);
}

TEST_F(ZoomTest, NewPointsNoLongerMoveAZoomedAxis)
{
    Chart.ZoomValues({10, 20}, {10, 20}, {5, 15}, {5, 15});
    Chart.Lines[0].Add(500);
    Chart.PaintNow();
    EXPECT_EQ(Chart.LeftAxis()->CurrentMaximum, 20);
    EXPECT_EQ(Chart.BottomAxis()->CurrentMaximum, 15);
    Chart.UndoZoom();
    Chart.PaintNow();
    EXPECT_EQ(Chart.LeftAxis()->CurrentMaximum, 500);
    EXPECT_EQ(Chart.BottomAxis()->CurrentMaximum, 41);
}

TEST_F(ZoomTest, AnimatedZoomApproachesByThirdsWithARepaintPerStep)
{
    Chart.AnimatedZoom = true;
    Chart.AnimatedZoomSteps = 4;
    std::vector<double> minima;
    std::vector<double> maxima;
    Chart.OnUpdate = [&] {
        EXPECT_TRUE(Chart.ImageDirty);
        minima.push_back(Chart.LeftAxis()->Minimum());
        maxima.push_back(Chart.LeftAxis()->Maximum());
    };
    Chart.ZoomValues({30, 60}, {0, 1}, {0, 1}, {0, 1});
    // From 0..100 towards 30..60: each step a third of the remaining way.
    ASSERT_EQ(minima.size(), 3u);
    EXPECT_DOUBLE_EQ(minima[0], 10);
    EXPECT_DOUBLE_EQ(maxima[0], 100 - 40.0 / 3);
    EXPECT_DOUBLE_EQ(minima[1], 10 + 20.0 / 3);
    EXPECT_DOUBLE_EQ(minima[2], minima[1] + (30 - minima[1]) / 3);
    EXPECT_EQ(Chart.LeftAxis()->Minimum(), 30);
    EXPECT_EQ(Chart.LeftAxis()->Maximum(), 60);
}

}  // namespace
