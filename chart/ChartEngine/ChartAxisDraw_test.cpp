#include "chart/ChartEngine/ChartAxis.h"

#include "app/FormatSettings.h"
#include "chart/ChartEngine/CustomAxisPanel.h"
#include "chart/ChartPanel/CanvasColor.h"
#include "chart/Series/LineSeries.h"
#include "testing/chart/RecordingCanvas.h"

#include "testing/app/SeparatorFixture.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// True when every pixel that changed moved from its old colour toward the ink in each
// channel: glyphs only, no box behind them.
bool GlyphsOnly(const QImage& before, const QImage& after, QRgb ink)
{
    const auto between = [](int value, int from, int to) {
        return std::min(from, to) <= value && value <= std::max(from, to);
    };
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x) {
            const QRgb was = before.pixel(x, y);
            const QRgb now = after.pixel(x, y);
            if (!between(qRed(now), qRed(was), qRed(ink)) || !between(qGreen(now), qGreen(was), qGreen(ink)) ||
                !between(qBlue(now), qBlue(was), qBlue(ink)))
                return false;
        }
    return true;
}

// Records the text alignment of every TextOut next to the calls, and the texts that
// painted more than their glyphs.
class TAlignRecordingCanvas : public TRecordingCanvas {
public:
    TAlignRecordingCanvas(QImage& image, std::vector<TDrawCall>& calls, std::vector<int>& aligns,
                          std::vector<std::string>& boxed)
        : TRecordingCanvas(&image, calls), FImage(image), FAligns(aligns), FBoxed(boxed)
    {
    }

    void TextOut(int x, int y, const std::string& text) override
    {
        FAligns.push_back(TextAlign);
        const QImage before = FImage.copy();
        TRecordingCanvas::TextOut(x, y, text);
        if (!GlyphsOnly(before, FImage, ToQColor(Font.Color()).rgb()))
            FBoxed.push_back(text);
    }

private:
    QImage& FImage;
    std::vector<int>& FAligns;
    std::vector<std::string>& FBoxed;
};

class TAxisChart : public TCustomAxisPanel {
public:
    std::vector<TDrawCall> Calls;
    std::vector<int> Aligns;
    std::vector<std::string> Boxed;

    void PaintNow()
    {
        Calls.clear();
        Aligns.clear();
        Boxed.clear();
        QImage target(Width(), Height(), QImage::Format_RGB32);
        TChartCanvas canvas(&target);
        Draw(canvas, GetClientRect());
    }

protected:
    std::unique_ptr<TChartCanvas> CreateImageCanvas(QImage& image) override
    {
        return std::make_unique<TAlignRecordingCanvas>(image, Calls, Aligns, Boxed);
    }
};

struct TText {
    std::string Value;
    int X, Y, Align;
    friend bool operator==(const TText&, const TText&) = default;
    friend std::ostream& operator<<(std::ostream& os, const TText& t)
    {
        return os << '"' << t.Value << "\" at " << t.X << "," << t.Y << " align " << t.Align;
    }
};

struct TSegment {
    int X0, Y0, X1, Y1;
    friend bool operator==(const TSegment&, const TSegment&) = default;
    friend std::ostream& operator<<(std::ostream& os, const TSegment& s)
    {
        return os << "(" << s.X0 << "," << s.Y0 << ")-(" << s.X1 << "," << s.Y1 << ")";
    }
};

class AxisDrawTest : public ::testing::Test {
public:
    TSeparatorFixture FSeparators;  // German number settings, the process's own back afterwards

    AxisDrawTest()
    {
        Chart.SetView3D(false);
        Chart.SetBounds(0, 0, 400, 250);
        Chart.BottomAxis()->Title().SetCaption("Generationen");
    }

    TLineSeries& AddSeries(int count, double (*value)(int))
    {
        auto& series = Series.emplace_back(std::make_unique<TLineSeries>());
        series->SetParentChart(&Chart);
        for (int i = 0; i < count; ++i)
            series->Add(value(i));
        return *series;
    }

    std::vector<TText> Texts() const
    {
        std::vector<TText> texts;
        std::size_t n = 0;
        for (const TDrawCall& c : Chart.Calls)
            if (c.Op == "TextOut")
                texts.push_back({c.Text, c.Args[0], c.Args[1], Chart.Aligns[n++]});
        return texts;
    }

    // Lines drawn with the given pen colour, width and style.
    std::vector<TSegment> Lines(TColor color, int width, TPenStyle style) const
    {
        std::vector<TSegment> lines;
        for (const TDrawCall& c : CallsOf(Chart.Calls, "Line"))
            if (c.Pen.Color == color && c.Pen.Width == width && c.Pen.Style == style)
                lines.push_back({c.Args[0], c.Args[1], c.Args[2], c.Args[3]});
        return lines;
    }

    std::vector<TSegment> AxisLines() const { return Lines(clBlack, 2, psSolid); }
    std::vector<TSegment> TickLines() const { return Lines(clGray, 1, psSolid); }
    std::vector<TSegment> GridLines() const { return Lines(clGray, 1, psDot); }

    int LabelsFontHeight()
    {
        Chart.SetCanvasFont(Chart.LeftAxis()->LabelsFont());
        return Chart.FontHeight();
    }

    TAxisChart Chart;
    std::vector<std::unique_ptr<TLineSeries>> Series;
};

double Sawtooth(int i)
{
    return i % 101;
}
double Hundred(int)
{
    return 100;
}

bool Contains(const std::vector<TSegment>& lines, const TSegment& s)
{
    return std::find(lines.begin(), lines.end(), s) != lines.end();
}

std::vector<TSegment> WithoutEmpty(std::vector<TSegment> lines)
{
    std::erase_if(lines, [](const TSegment& s) { return s.X0 == s.X1 && s.Y0 == s.Y1; });
    return lines;
}

// 500 generations of values 0 … 100 in the chart window's default control size.
class ProgramAxesTest : public AxisDrawTest {
protected:
    ProgramAxesTest()
    {
        AddSeries(500, Sawtooth);
        AddSeries(500, Hundred);
        Chart.PaintNow();
    }

    TChartAxis& Left() { return *Chart.LeftAxis(); }
    TChartAxis& Bottom() { return *Chart.BottomAxis(); }
    const TRect& R() const { return Chart.ChartRect; }
};

TEST_F(ProgramAxesTest, BottomAndLeftLabelsFromTheTopDown)
{
    const int fh = LabelsFontHeight();
    std::vector<TText> expected{{"Generationen", Chart.ChartXCenter, Bottom().TitlePosition, TA_CENTER | TA_TOP}};
    for (int v = 450; v >= 0; v -= 50)
        expected.push_back({std::to_string(v), Bottom().ValueToPixel(v), Bottom().LabelsPosition, TA_CENTER | TA_TOP});
    for (int v = 100; v >= 0; v -= 10)
        expected.push_back(
            {std::to_string(v), Left().LabelsPosition, Left().ValueToPixel(v) - fh / 2, TA_RIGHT | TA_TOP});
    EXPECT_EQ(Texts(), expected);
}

TEST_F(ProgramAxesTest, TitleAndLabelsLeaveThePixelsAroundTheirGlyphsAfterGridLines)
{
    ASSERT_FALSE(GridLines().empty());
    EXPECT_EQ(Chart.Boxed, std::vector<std::string>{});
}

TEST_F(ProgramAxesTest, BandsFromTheOutsideIn)
{
    const int fh = LabelsFontHeight();
    Chart.SetCanvasFont(Left().LabelsFont());
    // Bottom: title band, label band, 2 pixels of line plus 4 of ticks.
    EXPECT_EQ(Bottom().LabelsPosition, Bottom().TitlePosition - fh);
    EXPECT_EQ(R().Bottom, Bottom().LabelsPosition - 6);
    // Left: no title; the label band is the width of "100" and a space from the 3 % margin.
    EXPECT_EQ(Left().LabelsPosition, MulDiv(3, 400, 100) + Chart.TextWidth("100") + Chart.TextWidth(" "));
    EXPECT_EQ(R().Left, Left().LabelsPosition + 6);
    EXPECT_EQ(Bottom().AxisPosition, R().Bottom);
    EXPECT_EQ(Left().AxisPosition, R().Left);
}

TEST_F(ProgramAxesTest, AxisLinesAfterTheirLabels)
{
    EXPECT_EQ(AxisLines(), (std::vector<TSegment>{{R().Left, R().Bottom, R().Right, R().Bottom},
                                                  {R().Left, R().Top + 1, R().Left, R().Bottom}}));
    const auto& calls = Chart.Calls;
    const auto bottomLine =
        std::find_if(calls.begin(), calls.end(), [](const TDrawCall& c) { return c.Pen.Width == 2; });
    const auto leftLabel = std::find_if(calls.begin(), calls.end(), [](const TDrawCall& c) { return c.Text == "90"; });
    EXPECT_LT(bottomLine, leftLabel);
    EXPECT_EQ(std::count_if(calls.begin(), bottomLine, [](const TDrawCall& c) { return c.Op == "TextOut"; }), 11);
}

TEST_F(ProgramAxesTest, GridLinesOnlyInsideTheRange)
{
    std::vector<TSegment> expected;
    for (int v = 450; v >= 50; v -= 50) {
        const int p = Bottom().ValueToPixel(v);
        expected.push_back({p, R().Bottom - 1, p, R().Top});
    }
    for (int v = 90; v >= 10; v -= 10) {
        const int p = Left().ValueToPixel(v);
        expected.push_back({R().Left + 1, p, R().Right, p});
    }
    EXPECT_EQ(GridLines(), expected);
}

TEST_F(ProgramAxesTest, TicksAndMinorTicksBetweenLabels)
{
    const std::vector<TSegment> ticks = WithoutEmpty(TickLines());
    // Per axis: one outer tick per label, three minor ticks per gap between labels.
    EXPECT_EQ(ticks.size(), (10u + 9u * 3u) + (11u + 10u * 3u));
    const int b = R().Bottom;
    const int p450 = Bottom().ValueToPixel(450);
    const int p400 = Bottom().ValueToPixel(400);
    EXPECT_TRUE(Contains(ticks, {p450, b + 1, p450, b + 5}));
    const double gap = (p400 - p450) / 4.0;
    for (int i = 1; i <= 3; ++i) {
        const int q = p400 - static_cast<int>(std::nearbyint(i * gap));
        EXPECT_TRUE(Contains(ticks, {q, b + 1, q, b + 3})) << q;
    }
    // Nothing right of the highest label, where the range end 499 has no label.
    for (const TSegment& s : ticks) {
        if (s.Y0 == b + 1) {
            EXPECT_LE(s.X0, p450);
        }
    }
    const int l = R().Left;
    const int p0 = Left().ValueToPixel(0);
    EXPECT_TRUE(Contains(ticks, {l - 1, p0, l - 5, p0}));
}

TEST_F(ProgramAxesTest, AxisClickedWithinTwelvePixels)
{
    const int cx = Chart.ChartXCenter;
    const int cy = Chart.ChartYCenter;
    const struct {
        TChartAxis* Axis;
        int X, Y;
        bool Hit;
    } cases[] = {
        {&Bottom(), cx, R().Bottom + 11, true},
        {&Bottom(), cx, R().Bottom - 11, true},
        {&Bottom(), cx, R().Bottom + 12, false},
        {&Bottom(), R().Left, R().Bottom, true},
        {&Bottom(), R().Right, R().Bottom, true},
        {&Bottom(), R().Left - 1, R().Bottom, false},
        {&Left(), R().Left - 11, cy, true},
        {&Left(), R().Left + 12, cy, false},
        {&Left(), R().Left, R().Bottom + 1, false},
        // Top and right axes are hidden while the series use bottom and left.
        {Chart.TopAxis(), cx, R().Top, false},
        {Chart.RightAxis(), R().Right, cy, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Axis->AxisClicked(c.X, c.Y), c.Hit) << c.X << "," << c.Y;
}

TEST_F(AxisDrawTest, EmptySeriesGetOneZeroLabelAtTheMiddle)
{
    AddSeries(0, Sawtooth);
    AddSeries(0, Sawtooth);
    Chart.PaintNow();
    const TChartAxis& left = *Chart.LeftAxis();
    const TChartAxis& bottom = *Chart.BottomAxis();
    const int cx = Chart.ChartXCenter;
    const int cy = Chart.ChartYCenter;
    EXPECT_EQ(Texts(),
              (std::vector<TText>{{"Generationen", cx, bottom.TitlePosition, TA_CENTER | TA_TOP},
                                  {"0", cx, bottom.LabelsPosition, TA_CENTER | TA_TOP},
                                  {"0", left.LabelsPosition, cy - LabelsFontHeight() / 2, TA_RIGHT | TA_TOP}}));
    EXPECT_TRUE(GridLines().empty());
    const TRect& r = Chart.ChartRect;
    EXPECT_EQ(WithoutEmpty(TickLines()),
              (std::vector<TSegment>{{cx, r.Bottom + 1, cx, r.Bottom + 5}, {r.Left - 1, cy, r.Left - 5, cy}}));
}

TEST_F(AxisDrawTest, AllSeriesInactiveDrawFourBareAxes)
{
    AddSeries(50, Sawtooth).SetActive(false);
    AddSeries(50, Hundred).SetActive(false);
    Chart.PaintNow();
    const TRect& r = Chart.ChartRect;
    EXPECT_EQ(AxisLines(), (std::vector<TSegment>{{r.Left, r.Top, r.Right, r.Top},
                                                  {r.Left, r.Bottom, r.Right, r.Bottom},
                                                  {r.Left, r.Top + 1, r.Left, r.Bottom},
                                                  {r.Right, r.Top + 1, r.Right, r.Bottom}}));
    EXPECT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].Value, "Generationen");
    EXPECT_TRUE(WithoutEmpty(TickLines()).empty());
    EXPECT_TRUE(GridLines().empty());
    // The top axis takes a label band and 6 pixels, the right one (no labels to measure) 6 pixels.
    EXPECT_EQ(Chart.TopAxis()->LabelsPosition, MulDiv(3, 250, 100) + LabelsFontHeight());
    EXPECT_EQ(r.Top, Chart.TopAxis()->LabelsPosition + 6);
    EXPECT_EQ(r.Right, 400 - MulDiv(3, 400, 100) - 6);
}

TEST_F(AxisDrawTest, OtherSideAxesMirrorThePlacement)
{
    TLineSeries& series = AddSeries(11, [](int i) { return 10.0 * i; });
    series.SetHorizAxis(aTopAxis);
    series.SetVertAxis(aRightAxis);
    Chart.PaintNow();
    const TChartAxis& top = *Chart.TopAxis();
    const TChartAxis& right = *Chart.RightAxis();
    const TRect& r = Chart.ChartRect;
    const std::vector<TText> texts = Texts();
    ASSERT_FALSE(texts.empty());
    const int px = top.ValueToPixel(5);
    const int py = right.ValueToPixel(100);
    EXPECT_NE(std::find(texts.begin(), texts.end(), TText{"5", px, top.LabelsPosition, TA_CENTER | TA_BOTTOM}),
              texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        TText{"100", right.LabelsPosition, py - LabelsFontHeight() / 2, TA_LEFT | TA_TOP}),
              texts.end());
    const std::vector<TSegment> ticks = TickLines();
    EXPECT_TRUE(Contains(ticks, {px, r.Top - 1, px, r.Top - 5}));
    EXPECT_TRUE(Contains(ticks, {r.Right + 1, py, r.Right + 5, py}));
    EXPECT_TRUE(Contains(GridLines(), {px, r.Top + 1, px, r.Bottom}));
    EXPECT_EQ(AxisLines(),
              (std::vector<TSegment>{{r.Left, r.Top, r.Right, r.Top}, {r.Right, r.Top + 1, r.Right, r.Bottom}}));
}

TEST_F(AxisDrawTest, GridLinesRunIntoDepthInThreeDimensions)
{
    AddSeries(500, Sawtooth);
    Chart.SetView3D(true);
    Chart.PaintNow();
    const int w = Chart.Width3D;
    const int h = Chart.Height3D;
    ASSERT_GT(w, 0);
    const TRect& r = Chart.ChartRect;
    const int a = Chart.LeftAxis()->AxisPosition;
    const int p = Chart.LeftAxis()->ValueToPixel(50);
    EXPECT_TRUE(Contains(Lines(clGray, 1, psSolid), {a + 1, p, a + w + 1, p - h}));
    EXPECT_TRUE(Contains(GridLines(), {a + w + 1, p - h, r.Right + w - 1, p - h}));
    const int b = Chart.BottomAxis()->AxisPosition;
    const int q = Chart.BottomAxis()->ValueToPixel(250);
    EXPECT_TRUE(Contains(Lines(clGray, 1, psSolid), {q, b - 1, q + w, b - h - 1}));
    EXPECT_TRUE(Contains(GridLines(), {q + w, b - h - 1, q + w, r.Top - h}));
}

TEST_F(AxisDrawTest, TicksAndGridFollowTheLabelSwitches)
{
    const struct {
        bool Labels, TickOnLabelsOnly;
        std::size_t Texts, Ticks, Grid;
    } cases[] = {
        {true, true, 11, 11 + 30, 9},
        {false, true, 0, 0, 0},
        {false, false, 0, 11 + 30, 9},
        {true, false, 11, 11 + 30, 9},
    };
    AddSeries(2, Hundred).SetHorizAxis(aTopAxis);  // a flat 100 on the left axis, no bottom axis
    AddSeries(2, [](int i) { return i * 100.0; }).SetHorizAxis(aTopAxis);
    for (const auto& c : cases) {
        TChartAxis& left = *Chart.LeftAxis();
        left.SetSetting(&TAxisSettings::Labels, c.Labels);
        left.SetSetting(&TAxisSettings::TickOnLabelsOnly, c.TickOnLabelsOnly);
        Chart.TopAxis()->SetSetting(&TAxisSettings::Visible, false);
        Chart.PaintNow();
        EXPECT_EQ(Texts().size(), c.Texts) << c.Labels << c.TickOnLabelsOnly;
        EXPECT_EQ(WithoutEmpty(TickLines()).size(), c.Ticks) << c.Labels << c.TickOnLabelsOnly;
        EXPECT_EQ(GridLines().size(), c.Grid) << c.Labels << c.TickOnLabelsOnly;
    }
}

}  // namespace
