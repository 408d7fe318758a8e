#include "chart/ChartEngine/ChartAxis.h"

#include "app/FormatSettings.h"
#include "chart/ChartEngine/CustomAxisPanel.h"
#include "chart/Series/LineSeries.h"

#include "testing/app/SeparatorFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

namespace {

// German number settings for every case; the process settings come back afterwards.
class ChartAxisTest : public ::testing::Test {
public:
    TSeparatorFixture FSeparators;

    ChartAxisTest()
    {
        Chart.ChartBounds = {0, 0, 500, 400};
        SetChartRect({40, 20, 440, 220});
        Chart.ImageDirty = false;
    }

    void SetChartRect(const TRect& r)
    {
        Chart.ChartRect = r;
        Chart.RecalcWidthHeight();
    }

    TLineSeries& AddSeries(std::initializer_list<double> values)
    {
        auto& series = Series.emplace_back(std::make_unique<TLineSeries>());
        series->SetParentChart(&Chart);
        for (double v : values)
            series->Add(v);
        return *series;
    }

    TChartAxis& Left() { return *Chart.LeftAxis(); }
    TChartAxis& Bottom() { return *Chart.BottomAxis(); }

    TCustomAxisPanel Chart;
    std::vector<std::unique_ptr<TLineSeries>> Series;
};

TEST_F(ChartAxisTest, InvalidSettingsRaiseAndKeepTheOldValue)
{
    const struct {
        const char* Name;
        std::function<void(TChartAxis&)> Set;
        const char* Message;
    } cases[] = {
        {"Increment", [](TChartAxis& a) { a.SetSetting(&TAxisSettings::Increment, -1); },
         "Axis increment must be >= 0"},
        {"Minimum", [](TChartAxis& a) { a.SetSetting(&TAxisSettings::Minimum, 1); },
         "Axis Minimum Value must be <= Maximum"},
        {"Maximum", [](TChartAxis& a) { a.SetSetting(&TAxisSettings::Maximum, -1); },
         "Axis Maximum Value must be >= Minimum"},
        {"LabelsSeparation", [](TChartAxis& a) { a.SetSetting(&TAxisSettings::LabelsSeparation, -1); },
         "Labels Separation % must be greater than 0"},
        {"LabelsAngle", [](TChartAxis& a) { a.SetSetting(&TAxisSettings::LabelsAngle, 400); },
         "Axis Labels Angle must be between 0 and 359 degrees"},
        {"LabelsAngle", [](TChartAxis& a) { a.SetSetting(&TAxisSettings::LabelsAngle, -1); },
         "Axis Labels Angle must be between 0 and 359 degrees"},
        {"Title.Angle", [](TChartAxis& a) { a.Title().SetAngle(361); },
         "Axis Title Angle must be between 0 and 359 degrees"},
    };
    for (const auto& c : cases) {
        TChartAxis& axis = Left();
        try {
            c.Set(axis);
            ADD_FAILURE() << c.Name << " accepted";
        } catch (const ChartException& e) {
            EXPECT_STREQ(e.what(), c.Message) << c.Name;
        }
        EXPECT_EQ(axis.Settings(), TAxisSettings{}) << c.Name;
        EXPECT_EQ(axis.Title().Angle(), 90);
        EXPECT_FALSE(Chart.ImageDirty) << c.Name;
    }
}

TEST_F(ChartAxisTest, RangeErrorsAreAxisExceptions)
{
    Left().SetSetting(&TAxisSettings::Maximum, 10);
    EXPECT_THROW(Left().SetSetting(&TAxisSettings::Minimum, 11), AxisException);
    EXPECT_EQ(Left().Minimum(), 0);
    Left().SetSetting(&TAxisSettings::Minimum, 10);
    EXPECT_EQ(Left().Minimum(), 10);
    EXPECT_THROW(Left().SetSetting(&TAxisSettings::Maximum, 9), AxisException);
    EXPECT_EQ(Left().Maximum(), 10);
}

TEST_F(ChartAxisTest, AnglesAcceptFullCircleAsZero)
{
    Left().SetSetting(&TAxisSettings::LabelsAngle, 90);
    Left().SetSetting(&TAxisSettings::LabelsAngle, 360);
    EXPECT_EQ(Left().LabelsAngle(), 0);
    Left().SetSetting(&TAxisSettings::LabelsSeparation, 0);
    EXPECT_EQ(Left().LabelsSeparation(), 0);
}

TEST_F(ChartAxisTest, LogarithmicIsRefusedForNegativeRanges)
{
    Left().CurrentMinimum = -1;
    try {
        Left().SetSetting(&TAxisSettings::Logarithmic, true);
        ADD_FAILURE() << "accepted";
    } catch (const AxisException& e) {
        EXPECT_STREQ(e.what(), "Logarithmic Axis Min and Max values should be >= 0");
    }
    EXPECT_FALSE(Left().Logarithmic());
    Left().CurrentMinimum = 0;
    Left().SetSetting(&TAxisSettings::Logarithmic, true);
    EXPECT_TRUE(Left().Logarithmic());
}

TEST_F(ChartAxisTest, LogarithmicIsRefusedOnDateAxes)
{
    TLineSeries& series = AddSeries({1, 2});
    series.YValues().SetDateTime(true);
    Chart.LeftAxis()->ReserveSpace(Chart.ChartRect);  // recomputes IsDateTimeAxis
    EXPECT_TRUE(Left().IsDateTimeAxis);
    EXPECT_FALSE(Bottom().IsDateTimeAxis);
    EXPECT_THROW(Left().SetSetting(&TAxisSettings::Logarithmic, true), AxisException);
    EXPECT_FALSE(Left().Logarithmic());
}

TEST_F(ChartAxisTest, AssignCopiesTheSettingsPensTitleAndFont)
{
    TAxisSettings changed;
    changed.Visible = false;
    changed.Automatic = changed.AutomaticMaximum = changed.AutomaticMinimum = false;
    changed.Labels = false;
    changed.LabelsAngle = 90;
    changed.LabelsSeparation = 25;
    changed.TitleSize = 11;
    changed.LabelsSize = 12;
    changed.LabelsOnAxis = false;
    changed.LabelStyle = talValue;
    changed.TickInnerLength = 5;
    changed.MinorTickLength = 6;
    changed.MinorTickCount = 7;
    changed.TickLength = 9;
    changed.Maximum = 30;
    changed.Minimum = -3;
    changed.Increment = 7;
    changed.AxisValuesFormat = "0.0";
    changed.DateTimeFormat = "hh:nn";
    changed.Inverted = true;
    changed.Logarithmic = true;
    changed.ExactDateTime = false;
    changed.RoundFirstLabel = false;
    changed.TickOnLabelsOnly = false;
    TChartAxis& source = *Chart.RightAxis();
    source.SetSettings(changed);
    source.Grid().SetColor(clRed);
    source.Title().SetCaption("Anzahl");
    source.LabelsFont().SetColor(clBlue);
    Chart.ImageDirty = false;

    Left().Assign(source);
    EXPECT_EQ(Left().Settings(), changed);
    EXPECT_EQ(Left().Grid().Color(), clRed);
    EXPECT_EQ(Left().Grid().Style(), psDot);
    EXPECT_EQ(Left().Title().Caption(), "Anzahl");
    EXPECT_EQ(Left().Title().Angle(), 270);
    EXPECT_EQ(Left().LabelsFont().Color(), clBlue);
    // The side of an axis is not a setting.
    EXPECT_FALSE(Left().IsOtherSide);
    EXPECT_TRUE(Chart.ImageDirty);
}

TEST_F(ChartAxisTest, SettersRepaintOnlyOnAnEffectiveChange)
{
    const std::function<void(TChartAxis&)> sameValue[] = {
        [](TChartAxis& a) { a.SetSetting(&TAxisSettings::Visible, true); },
        [](TChartAxis& a) { a.SetSetting(&TAxisSettings::LabelsSeparation, 10); },
        [](TChartAxis& a) { a.SetSetting(&TAxisSettings::TickLength, 4); },
        [](TChartAxis& a) { a.SetSetting(&TAxisSettings::AxisValuesFormat, "#,##0.###"); },
        [](TChartAxis& a) { a.Grid().SetStyle(psDot); },
        [](TChartAxis& a) { a.Title().SetCaption(""); },
        [](TChartAxis& a) { a.SetAutomatic(true); },
        [](TChartAxis& a) { a.LabelsFont().SetColor(clBlack); },
    };
    for (const auto& set : sameValue)
        set(Left());
    EXPECT_FALSE(Chart.ImageDirty);

    const std::function<void(TChartAxis&)> newValue[] = {
        [](TChartAxis& a) { a.SetSetting(&TAxisSettings::Visible, false); },
        [](TChartAxis& a) { a.SetSetting(&TAxisSettings::Inverted, true); },
        [](TChartAxis& a) { a.Ticks().SetColor(clRed); },
        [](TChartAxis& a) { a.Title().SetCaption("x"); },
        [](TChartAxis& a) { a.LabelsFont().SetColor(clRed); },
        [](TChartAxis& a) { a.SetMinMax(1, 2); },
    };
    for (const auto& set : newValue) {
        Chart.ImageDirty = false;
        set(Left());
        EXPECT_TRUE(Chart.ImageDirty);
    }
}

TEST_F(ChartAxisTest, AutomaticFlagsFollowEachOther)
{
    TChartAxis& axis = Left();
    axis.SetAutomaticMinimum(false);
    EXPECT_FALSE(axis.Automatic());
    EXPECT_TRUE(axis.AutomaticMaximum());
    axis.SetAutomaticMinimum(true);
    EXPECT_FALSE(axis.Automatic());
    axis.SetAutomatic(true);
    EXPECT_TRUE(axis.AutomaticMinimum());
    axis.SetAutomatic(false);
    EXPECT_FALSE(axis.AutomaticMinimum());
    EXPECT_FALSE(axis.AutomaticMaximum());
}

TEST_F(ChartAxisTest, SetMinMaxOrdersAndWidensTinyRanges)
{
    const struct {
        double A, B, Min, Max;
    } cases[] = {{10, 2, 2, 10}, {2, 10, 2, 10}, {5, 5, 5, 5.001}, {5.0005, 5, 5.0005, 5.001}};
    for (const auto& c : cases) {
        Left().SetMinMax(c.A, c.B);
        EXPECT_DOUBLE_EQ(Left().Minimum(), c.Min) << c.A << " " << c.B;
        EXPECT_DOUBLE_EQ(Left().Maximum(), c.Max) << c.A << " " << c.B;
        EXPECT_FALSE(Left().Automatic() || Left().AutomaticMinimum() || Left().AutomaticMaximum());
    }
}

TEST_F(ChartAxisTest, AdjustRangeTakesActiveSeriesExtremes)
{
    TLineSeries& a = AddSeries({40, 57, 12});
    TLineSeries& b = AddSeries({100, 3, 50, 60, 70});
    AddSeries({});
    for (TChartAxis* axis : {Chart.LeftAxis(), Chart.RightAxis(), Chart.TopAxis(), Chart.BottomAxis()})
        axis->AdjustRange();
    EXPECT_EQ(Left().CurrentMinimum, 3);
    EXPECT_EQ(Left().CurrentMaximum, 100);
    EXPECT_EQ(Left().CurrentRange, 97);
    EXPECT_EQ(Bottom().Minimum(), 0);  // the computed ends are written back
    EXPECT_EQ(Bottom().Maximum(), 4);
    EXPECT_EQ(Chart.RightAxis()->CurrentRange, 0);

    b.SetActive(false);
    Left().AdjustRange();
    EXPECT_EQ(Left().CurrentMinimum, 12);
    EXPECT_EQ(Left().CurrentMaximum, 57);
    a.SetActive(false);
    Left().AdjustRange();
    EXPECT_EQ(Left().CurrentMinimum, 0);
    EXPECT_EQ(Left().CurrentMaximum, 0);
}

TEST_F(ChartAxisTest, FixedRangeSurvivesAdjustRange)
{
    AddSeries({40, 57, 12});
    Left().SetMinMax(-5, 500);
    Left().AdjustRange();
    EXPECT_EQ(Left().CurrentMinimum, -5);
    EXPECT_EQ(Left().CurrentMaximum, 500);
    Left().SetAutomaticMaximum(true);
    Left().AdjustRange();
    EXPECT_EQ(Left().CurrentMinimum, -5);
    EXPECT_EQ(Left().CurrentMaximum, 57);
}

TEST_F(ChartAxisTest, ValueToPixelRoundsHalvesToEven)
{
    // ChartRect (40, 20, 440, 220): 400 wide, 200 high.
    TChartAxis& bottom = Bottom();
    bottom.CurrentMinimum = 0;
    bottom.CurrentMaximum = 800;
    bottom.CurrentRange = 800;
    TChartAxis& left = Left();
    left.CurrentMinimum = 0;
    left.CurrentMaximum = 400;
    left.CurrentRange = 400;
    const struct {
        double Value;
        std::int32_t X, Y;
    } cases[] = {
        {0, 40, 220}, {800, 440, -180}, {1, 40, 220},  // 0.5 → 0 both ways
        {3, 42, 218}, {5, 42, 218},                    // 1.5 → 2, 2.5 → 2; -1.5 → -2, -2.5 → -2
        {7, 44, 216}, {400, 240, 20},   {-2, 39, 221},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bottom.ValueToPixel(c.Value), c.X) << c.Value;
        EXPECT_EQ(left.ValueToPixel(c.Value), c.Y) << c.Value;
    }
    bottom.SetSetting(&TAxisSettings::Inverted, true);
    left.SetSetting(&TAxisSettings::Inverted, true);
    EXPECT_EQ(bottom.ValueToPixel(3), 438);
    EXPECT_EQ(left.ValueToPixel(3), 22);
}

TEST_F(ChartAxisTest, ValueToPixelStopsAtTheIntegerLimitsFarOutside)
{
    // The rounded offset saturates; adding the edge must not wrap to the other side.
    TChartAxis& bottom = Bottom();
    bottom.CurrentMinimum = 0;
    bottom.CurrentMaximum = 1;
    bottom.CurrentRange = 1;
    TChartAxis& left = Left();
    left.CurrentMinimum = 0;
    left.CurrentMaximum = 1;
    left.CurrentRange = 1;
    // Far to one side stays far to that side (before, the edge's addition wrapped around).
    constexpr std::int32_t kFar = std::numeric_limits<std::int32_t>::max() / 2;
    EXPECT_GT(bottom.ValueToPixel(1e300), kFar);
    EXPECT_LT(bottom.ValueToPixel(-1e300), -kFar);
    EXPECT_LT(left.ValueToPixel(1e300), -kFar);
    EXPECT_GT(left.ValueToPixel(-1e300), kFar);
    bottom.SetSetting(&TAxisSettings::Inverted, true);
    EXPECT_LT(bottom.ValueToPixel(1e300), -kFar);
    EXPECT_GT(bottom.ValueToPixel(-1e300), kFar);
}

TEST_F(ChartAxisTest, PixelToValueInvertsValueToPixel)
{
    Bottom().CurrentMinimum = 10;
    Bottom().CurrentMaximum = 210;
    Bottom().CurrentRange = 200;
    Left().CurrentMinimum = 0;
    Left().CurrentMaximum = 100;
    Left().CurrentRange = 100;
    EXPECT_EQ(Bottom().PixelToValue(40), 10);
    EXPECT_EQ(Bottom().PixelToValue(240), 110);
    EXPECT_EQ(Bottom().PixelToValue(440), 210);
    EXPECT_EQ(Left().PixelToValue(20), 100);
    EXPECT_EQ(Left().PixelToValue(120), 50);
    EXPECT_EQ(Left().PixelToValue(220), 0);
    Left().SetSetting(&TAxisSettings::Inverted, true);
    EXPECT_EQ(Left().PixelToValue(200), 90);
}

TEST_F(ChartAxisTest, ApplyMarginsWidensTheRangeAndKeepsTheRectangle)
{
    Bottom().CurrentMinimum = 0;
    Bottom().CurrentMaximum = 360;
    Bottom().CurrentRange = 360;
    Bottom().ApplyMargins(20, 0, 20, 0);
    EXPECT_EQ(Bottom().CurrentMinimum, -20);
    EXPECT_EQ(Bottom().CurrentMaximum, 380);
    EXPECT_EQ(Bottom().CurrentRange, 400);
    EXPECT_EQ(Chart.ChartRect, (TRect{40, 20, 440, 220}));
    EXPECT_EQ(Chart.ChartWidth, 400);

    Left().CurrentMinimum = 0;
    Left().CurrentMaximum = 100;
    Left().CurrentRange = 100;
    Left().ApplyMargins(0, 50, 0, 50);
    EXPECT_EQ(Left().CurrentMinimum, -50);
    EXPECT_EQ(Left().CurrentMaximum, 150);
    EXPECT_EQ(Left().CurrentRange, 200);
}

TEST_F(ChartAxisTest, LabelExtentFollowsTheAngle)
{
    Chart.SetCanvasFont(Left().LabelsFont());
    const std::int32_t width = Chart.TextWidth("12.345");
    const std::int32_t height = Chart.FontHeight();
    EXPECT_EQ(Bottom().LabelExtent(12345), width);
    EXPECT_EQ(Left().LabelExtent(12345), height);
    Bottom().SetSetting(&TAxisSettings::LabelsAngle, 90);
    Left().SetSetting(&TAxisSettings::LabelsAngle, 90);
    EXPECT_EQ(Bottom().LabelExtent(12345), height);
    EXPECT_EQ(Left().LabelExtent(12345), width);
    Left().SetSetting(&TAxisSettings::LabelsAngle, 180);
    EXPECT_EQ(Left().LabelExtent(12345), height);
}

TEST_F(ChartAxisTest, LabelStyleFollowsTheSeries)
{
    EXPECT_EQ(Left().CalcLabelStyle(), talNone);
    TLineSeries& series = AddSeries({1, 2});
    EXPECT_EQ(Left().CalcLabelStyle(), talValue);
    EXPECT_EQ(Bottom().CalcLabelStyle(), talValue);
    EXPECT_EQ(Chart.TopAxis()->CalcLabelStyle(), talNone);
    series.Clear();
    series.Add(5, "Anfang");
    EXPECT_EQ(Bottom().CalcLabelStyle(), talText);
    EXPECT_EQ(Left().CalcLabelStyle(), talValue);
    series.SetActive(false);
    EXPECT_EQ(Bottom().CalcLabelStyle(), talNone);
    Bottom().SetSetting(&TAxisSettings::LabelStyle, talValue);
    EXPECT_EQ(Bottom().CalcLabelStyle(), talValue);
}

TEST_F(ChartAxisTest, LabelTextUsesProcessSeparatorsAndTheChartEvent)
{
    EXPECT_EQ(Left().LabelText(12345.6789), "12.345,679");
    Left().SetSetting(&TAxisSettings::AxisValuesFormat, "0.00");
    EXPECT_EQ(Left().LabelText(2.5), "2,50");

    Chart.OnGetAxisLabel = [&](TChartAxis& axis, TChartSeries* series, std::int32_t index, std::string& text) {
        EXPECT_EQ(&axis, &Left());
        EXPECT_EQ(series, nullptr);
        EXPECT_EQ(index, -1);
        text += " Stk.";
    };
    EXPECT_EQ(Left().LabelText(3), "3,00 Stk.");
}

}  // namespace
