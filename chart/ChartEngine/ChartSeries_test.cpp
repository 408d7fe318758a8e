#include "chart/ChartEngine/ChartSeries.h"

#include "chart/Chart/DataChart.h"
#include "chart/ChartEngine/ChartException.h"
#include "chart/Series/LineSeries.h"

#include <gtest/gtest.h>

namespace {

class SeriesOnChartTest : public ::testing::Test {
public:
    SeriesOnChartTest()
    {
        Chart.OnInvalidate = [this] { ++Invalidations; };
        Series.SetParentChart(&Chart);
        Series.SetSeriesColor(clRed);
        Invalidations = 0;
    }

    TDataChart Chart;
    TLineSeries Series;
    int Invalidations = 0;
};

TEST_F(SeriesOnChartTest, AddStoresPointAtNextXAndRepaints)
{
    EXPECT_EQ(Series.Add(5, "", clRed), 0);
    EXPECT_EQ(Series.XValue(0), 0);
    EXPECT_EQ(Series.YValue(0), 5);
    EXPECT_EQ(Series.ValueColor(0), clRed);
    EXPECT_FALSE(Series.Label(0).has_value());
    EXPECT_EQ(Invalidations, 1);

    EXPECT_EQ(Series.Add(7, "sieben", clBlue), 1);
    EXPECT_EQ(Series.XValue(1), 1);
    EXPECT_EQ(Series.Label(1), std::optional<std::string>("sieben"));

    for (int i = 2; i < 500; ++i)
        Series.Add(i % 7, "", clRed);
    ASSERT_EQ(Series.Count(), 500);
    for (int i = 0; i < 500; ++i)
        ASSERT_EQ(Series.XValue(i), i);
    EXPECT_EQ(Series.XValues().MaxValue(), 499);
    EXPECT_EQ(Series.YValues().Count(), 500);
}

TEST_F(SeriesOnChartTest, DefaultPointColourFollowsTheSeriesLiteralDoesNot)
{
    Series.Add(1, "", clChartDefault);
    Series.Add(2, "", clRed);
    Series.SetSeriesColor(clBlue);
    EXPECT_EQ(Series.ValueColor(0), clBlue);
    EXPECT_EQ(Series.ValueColor(1), clRed);
    EXPECT_EQ(Series.ValueColor(5), clBlue);  // beyond the stored colours
    Series.SetColorEachPoint(true);
    EXPECT_EQ(Series.ValueColor(0), GetDefaultColor(0));
    EXPECT_EQ(Series.ValueColor(1), clRed);
}

TEST_F(SeriesOnChartTest, ClearEmptiesEverythingAndStartsAgainAtZero)
{
    int cleared = 0;
    Series.OnClearValues = [&](TChartSeries&) { ++cleared; };
    Series.Add(3, "a", clRed);
    Series.Add(4, "", clRed);
    Invalidations = 0;
    Series.Clear();
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(Invalidations, 1);
    EXPECT_EQ(Series.Count(), 0);
    EXPECT_EQ(Series.YValues().Total(), 0);
    EXPECT_EQ(Series.YValues().MaxValue(), 0);
    EXPECT_THROW(Series.Label(0), EListError);
    EXPECT_EQ(Series.Add(9, "", clRed), 0);
    EXPECT_EQ(Series.XValue(0), 0);
    EXPECT_EQ(Series.SeriesColor(), clRed);
}

TEST_F(SeriesOnChartTest, SettersRepaintOnlyOnChange)
{
    const struct {
        const char* Name;
        std::function<void()> Set;
    } setters[] = {
        {"Active", [this] { Series.SetActive(false); }},
        {"Title", [this] { Series.SetTitle("GC-Sexuell"); }},
        {"SeriesColor", [this] { Series.SetSeriesColor(clAqua); }},
        {"ShowInLegend", [this] { Series.SetShowInLegend(false); }},
        {"ColorEachPoint", [this] { Series.SetColorEachPoint(true); }},
        {"HorizAxis", [this] { Series.SetHorizAxis(aTopAxis); }},
        {"VertAxis", [this] { Series.SetVertAxis(aRightAxis); }},
        {"ValueFormat", [this] { Series.SetValueFormat("0"); }},
        {"DateTime", [this] { Series.XValues().SetDateTime(true); }},
        {"Multiplier", [this] { Series.YValues().SetMultiplier(2); }},
        {"LinePen", [this] { Series.LinePen().SetWidth(2); }},
        {"Pointer", [this] { Series.Pointer().SetVisible(true); }},
        {"Marks", [this] { Series.Marks().SetVisible(true); }},
    };
    for (const auto& s : setters) {
        Invalidations = 0;
        s.Set();
        EXPECT_EQ(Invalidations, 1) << s.Name;
        s.Set();
        EXPECT_EQ(Invalidations, 1) << s.Name << " set again";
    }
}

TEST_F(SeriesOnChartTest, InactiveSeriesKeepsPointsAndAddsWithoutRepaint)
{
    Series.Add(1, "", clRed);
    Series.SetActive(false);
    Invalidations = 0;
    Series.Add(2, "", clRed);
    EXPECT_EQ(Invalidations, 0);
    Series.SetActive(true);
    EXPECT_EQ(Series.Count(), 2);
    EXPECT_EQ(Series.YValue(1), 2);
}

TEST_F(SeriesOnChartTest, BeforeAddCanRefuseAPoint)
{
    Series.OnBeforeAdd = [](TChartSeries&) { return false; };
    EXPECT_EQ(Series.Add(1, "", clRed), -1);
    EXPECT_EQ(Series.Count(), 0);
    EXPECT_EQ(Series.YValues().TempValue, 1);
}

TEST(SeriesList, JoinsInOrderOnceAndLeavesOnDestruction)
{
    TDataChart chart;
    TLineSeries first;
    {
        TLineSeries second;
        second.SetSeriesColor(clBlue);
        first.SetParentChart(&chart);
        second.SetParentChart(&chart);
        chart.AddSeries(&first);
        ASSERT_EQ(chart.SeriesCount(), 2);
        EXPECT_EQ(chart.Series(0), &first);
        EXPECT_EQ(chart.Series(1), &second);
        // Without a colour of its own the series took one that was free.
        EXPECT_NE(first.SeriesColor(), clChartDefault);
        EXPECT_NE(first.SeriesColor(), clBlue);
    }
    EXPECT_EQ(chart.SeriesCount(), 1);
    chart.RemoveSeries(&first);
    EXPECT_EQ(first.ParentChart(), nullptr);
    EXPECT_EQ(chart.SeriesCount(), 0);
}

TEST(SeriesList, ChartGoingFirstDetachesItsSeries)
{
    TLineSeries series;
    {
        TDataChart chart;
        series.SetParentChart(&chart);
    }
    EXPECT_EQ(series.ParentChart(), nullptr);
    series.Add(1);  // no chart left to repaint
    EXPECT_EQ(series.Count(), 1);
}

TEST(SeriesPointer, SizeBelowOneIsRefused)
{
    TLineSeries series;
    EXPECT_FALSE(series.Pointer().Visible());
    try {
        series.Pointer().SetHorizSize(0);
        FAIL() << "no exception";
    } catch (const ChartException& e) {
        EXPECT_STREQ(e.what(), "Pointer size must be greater than zero");
    }
    EXPECT_EQ(series.Pointer().HorizSize(), 4);
    EXPECT_THROW(series.Pointer().SetVertSize(-1), ChartException);
}

TEST(CustomSeries, MarginsOnlyForAVisibleInflatingPointer)
{
    TLineSeries series;
    std::int32_t a = -1, b = -1;
    series.CalcHorizMargins(a, b);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 0);
    series.Pointer().SetVisible(true);
    series.Pointer().SetVertSize(6);
    series.CalcHorizMargins(a, b);
    EXPECT_EQ(a, 5);
    series.CalcVerticalMargins(a, b);
    EXPECT_EQ(b, 7);
}

}  // namespace
