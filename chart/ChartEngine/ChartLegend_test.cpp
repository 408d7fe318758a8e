#include "chart/ChartEngine/ChartLegend.h"

#include "chart/Chart/DataChart.h"
#include "chart/Series/LineSeries.h"
#include "testing/chart/RecordingCanvas.h"

#include <QImage>
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace {

// Lays out the legend on a recording surface; titles may be given a fixed measured width.
class TLegendChart : public TDataChart {
public:
    void Use(TChartCanvas* canvas) { FDrawingCanvas = canvas; }
    std::optional<int> TitleWidth;

    int TextWidth(const std::string& text) override { return TitleWidth ? *TitleWidth : TDataChart::TextWidth(text); }
};

// The chart window's legend over its four series, with the plotting area of a 527 x 307 window.
class LegendTest : public ::testing::Test {
public:
    LegendTest() : Image(527, 307, QImage::Format_RGB32), Canvas(&Image, Calls)
    {
        TCustomChartLegend& legend = *Chart.Legend();
        legend.SetAlignment(laBottom);
        legend.Font().SetHeight(-10);
        legend.SetInverted(true);
        legend.SetLegendStyle(lsSeries);
        legend.SetTextStyle(ltsPlain);
        const std::array<const char*, 4> names = {"Series3", "Series2", "Series4", "Series1"};
        const std::array<const char*, 4> titles = {"Lebend-Nichtsexuell", "Lebend-Sexuell", "GC-Nichtsexuell",
                                                   "GC-Sexuell"};
        const std::array<TColor, 4> colours = {clAqua, 0x8000FF, clBlue, clRed};
        for (std::size_t i = 0; i < S.size(); ++i) {
            S[i].Name = names[i];
            S[i].SetTitle(titles[i]);
            S[i].SetSeriesColor(colours[i]);
            S[i].SetParentChart(&Chart);
        }
        Chart.ChartBounds = {0, 0, 527, 307};
        SetChartRect({16, 29, 511, 298});
        Chart.Use(&Canvas);
    }
    ~LegendTest() override { Chart.Use(nullptr); }

    void SetChartRect(const TRect& r)
    {
        Chart.ChartRect = r;
        Chart.RecalcWidthHeight();
    }

    TChartLegend& Box() { return static_cast<TChartLegend&>(*Chart.Legend()); }

    // Item texts left to right.
    std::vector<std::string> Draw()
    {
        Calls.clear();
        Chart.Legend()->DrawLegend();
        std::vector<std::string> texts;
        for (const TDrawCall& call : CallsOf(Calls, "TextOut"))
            texts.push_back(call.Text);
        return texts;
    }

    std::vector<TDrawCall> Calls;
    QImage Image;
    TRecordingCanvas Canvas;
    TLegendChart Chart;
    std::array<TLineSeries, 4> S;  // Series3, Series2, Series4, Series1
};

TEST_F(LegendTest, ItemsInInvertedListOrderOverTheActiveSeries)
{
    using Texts = std::vector<std::string>;
    EXPECT_EQ(Draw(), (Texts{"GC-Sexuell", "GC-Nichtsexuell", "Lebend-Sexuell", "Lebend-Nichtsexuell"}));
    S[2].SetActive(false);
    SetChartRect({16, 29, 511, 298});
    EXPECT_EQ(Draw(), (Texts{"GC-Sexuell", "Lebend-Sexuell", "Lebend-Nichtsexuell"}));
    S[0].SetActive(false);
    SetChartRect({16, 29, 511, 298});
    EXPECT_EQ(Draw(), (Texts{"GC-Sexuell", "Lebend-Sexuell"}));
    Box().SetInverted(false);
    SetChartRect({16, 29, 511, 298});
    EXPECT_EQ(Draw(), (Texts{"Lebend-Sexuell", "GC-Sexuell"}));
    S[3].SetShowInLegend(false);
    SetChartRect({16, 29, 511, 298});
    EXPECT_EQ(Draw(), (Texts{"Lebend-Sexuell"}));
}

TEST_F(LegendTest, NoActiveSeriesNoBoxAndNoRoom)
{
    for (TLineSeries& s : S)
        s.SetActive(false);
    Calls.clear();
    Chart.DrawTitlesAndLegend();
    EXPECT_TRUE(CallsOf(Calls, "Rectangle").empty());
    EXPECT_TRUE(CallsOf(Calls, "TextOut").size() <= 1u) << "at most the title line";
    EXPECT_EQ(Chart.ChartRect.Bottom, 298);
    EXPECT_FALSE(Box().Clicked(Chart.ChartXCenter, 290));
}

TEST_F(LegendTest, ExampleWidthsAndTheBoxCentredOnThePlottingArea)
{
    Chart.TitleWidth = 100;
    Draw();
    EXPECT_EQ(Box().ColorWidthPixels, 12);  // Round(12.48)
    const TRect& r = Box().RectLegend;
    EXPECT_EQ(r.Right - r.Left, 494);  // 120 x 4 + 8 + 6
    EXPECT_EQ(r.Left, (16 + 511) / 2 - 247);
    const auto texts = CallsOf(Calls, "TextOut");
    ASSERT_EQ(texts.size(), 4u);
    for (std::size_t p = 0; p < texts.size(); ++p)
        EXPECT_EQ(texts[p].Args[0], r.Left + 4 + 12 + 4 + 120 * static_cast<int>(p));
    EXPECT_EQ(texts[0].Args[1], r.Top + 1);
    EXPECT_EQ(texts[0].Brush.Style, bsClear);

    // Too narrow for the four: the items of the first series in list order that fit.
    Chart.TitleWidth = 100;
    SetChartRect({0, 29, 2 * 120 + 10 + 50, 298});
    EXPECT_EQ(Draw(), (std::vector<std::string>{"Lebend-Sexuell", "Lebend-Nichtsexuell"}));
    SetChartRect({0, 29, 120 + 9, 298});
    EXPECT_TRUE(Draw().empty());
    EXPECT_TRUE(CallsOf(Calls, "Rectangle").empty());
    EXPECT_EQ(Chart.ChartRect.Bottom, 298) << "a legend without items takes no room";
}

TEST_F(LegendTest, BoxFrameShadowAndTheRoomItTakes)
{
    Chart.TitleWidth = 100;
    Chart.SetCanvasFont(Box().Font());
    const int itemHeight = Chart.FontHeight();
    Draw();
    const TRect& r = Box().RectLegend;
    EXPECT_EQ(r.Bottom, 298 - 3 - 2);
    EXPECT_EQ(r.Top, r.Bottom - 2 - itemHeight);
    const auto rects = CallsOf(Calls, "Rectangle");
    ASSERT_FALSE(rects.empty());
    EXPECT_EQ(rects[0].Args, (std::vector<int>{r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1}));
    EXPECT_EQ(rects[0].Brush, (TCanvasBrush{clWhite, bsSolid}));
    EXPECT_EQ(rects[0].Pen.Color, clBlack);
    const auto shadow = CallsOf(Calls, "FillRect");
    ASSERT_EQ(shadow.size(), 2u);
    EXPECT_EQ(shadow[0].Args, (std::vector<int>{r.Left + 3, r.Bottom + 1, r.Right + 4, r.Bottom + 4}));
    EXPECT_EQ(shadow[1].Args, (std::vector<int>{r.Right + 1, r.Top + 3, r.Right + 4, r.Bottom + 4}));
    EXPECT_EQ(shadow[1].Brush, (TCanvasBrush{clBlack, bsSolid}));
    // The plotting area ends above the box, less a gap of 3 % of its height before the legend.
    EXPECT_EQ(Chart.ChartRect.Bottom, r.Top - MulDiv(3, 298 - 29, 100));
    EXPECT_TRUE(Box().Clicked(r.Left, r.Top));
    EXPECT_FALSE(Box().Clicked(r.Right, r.Top));

    Box().Frame().SetVisible(false);
    Box().SetVertMargin(10);
    SetChartRect({16, 29, 511, 298});
    Draw();
    EXPECT_EQ(Box().RectLegend.Bottom, 298 - 3);
    EXPECT_EQ(CallsOf(Calls, "Rectangle").at(0).Pen.Style, psClear);
    EXPECT_EQ(CallsOf(Calls, "FillRect").at(0).Args[1], Box().RectLegend.Bottom - 1);
    EXPECT_EQ(Chart.ChartRect.Bottom, Box().RectLegend.Top - 10);
}

TEST_F(LegendTest, SymbolIsALineFlatAndAFramedRectangleInDepth)
{
    Chart.TitleWidth = 100;
    Chart.SetCanvasFont(Box().Font());
    const int itemHeight = Chart.FontHeight();
    Chart.SetView3D(false);
    Draw();
    const TRect& r = Box().RectLegend;
    const int y = r.Top + 1;
    const auto lines = CallsOf(Calls, "Line");
    ASSERT_EQ(lines.size(), 4u);
    const int left = r.Left + 4;
    EXPECT_EQ(lines[0].Args,
              (std::vector<int>{left, (y + 2 + y + itemHeight - 2) / 2, left + 12, (y + 2 + y + itemHeight - 2) / 2}));
    EXPECT_EQ(lines[0].Pen.Color, clRed);
    EXPECT_EQ(lines[3].Pen.Color, clAqua);

    Chart.SetView3D(true);
    SetChartRect({16, 29, 511, 298});
    Draw();
    EXPECT_TRUE(CallsOf(Calls, "Line").empty());
    const auto rects = CallsOf(Calls, "Rectangle");
    ASSERT_EQ(rects.size(), 5u);  // the box, then one symbol per item
    EXPECT_EQ(rects[1].Args, (std::vector<int>{left, y + 2, left + 12, y + itemHeight - 2}));
    EXPECT_EQ(rects[1].Brush, (TCanvasBrush{clRed, bsSolid}));
    EXPECT_EQ(rects[1].Pen.Color, clBlack);
}

TEST_F(LegendTest, TextFallsBackToTheNameThenToTheIndex)
{
    S[0].SetTitle("");
    Chart.Legend()->CalcLegendStyle();
    EXPECT_EQ(Chart.GetLegendText(0), "Series3");
    S[0].Name.clear();
    EXPECT_EQ(Chart.GetLegendText(0), "Series 0");
    EXPECT_EQ(Chart.GetLegendText(4), "?");
    EXPECT_EQ(Chart.SeriesForLegendIndex(3), &S[3]);
    EXPECT_EQ(Chart.SeriesForLegendIndex(4), nullptr);
    Chart.OnGetLegendText = [](TCustomAxisPanel&, TLegendStyle, std::int32_t n, std::string& text) {
        text += "/" + std::to_string(n);
    };
    EXPECT_EQ(Chart.GetLegendText(1), "Lebend-Sexuell/1");
}

TEST_F(LegendTest, ItemCountFromFirstValue)
{
    Chart.Legend()->CalcLegendStyle();
    EXPECT_EQ(Chart.Legend()->TotalLegendItems(), 4);
    Chart.Legend()->SetFirstValue(3);
    EXPECT_EQ(Chart.Legend()->TotalLegendItems(), 1);
    Chart.Legend()->SetFirstValue(6);
    EXPECT_EQ(Chart.Legend()->TotalLegendItems(), 0);
}

TEST_F(LegendTest, AutomaticStyleListsValuesOfASingleSeries)
{
    for (std::size_t i = 1; i < S.size(); ++i)
        S[i].SetActive(false);
    S[0].Add(12.5, "a");
    S[0].Add(7);
    TCustomChartLegend& legend = *Chart.Legend();
    legend.SetLegendStyle(lsAuto);
    legend.SetTextStyle(ltsRightValue);
    legend.CalcLegendStyle();
    EXPECT_EQ(legend.InternalLegendStyle, lsValues);
    EXPECT_EQ(legend.TotalLegendItems(), 2);
    EXPECT_EQ(Chart.GetLegendText(0), legend.ValueText(S[0], 0));
    EXPECT_EQ(Chart.GetLegendText(0).substr(0, 2), "a ");
    EXPECT_EQ(Chart.GetLegendText(1), "7");
    S[1].SetActive(true);
    legend.CalcLegendStyle();
    EXPECT_EQ(legend.InternalLegendStyle, lsSeries);
}

}  // namespace
