// Whole chart pictures drawn by columns against the same charts drawn segment by segment, on
// generated series: not one pixel may differ.
#include "chart/Chart/DataChart.h"
#include "chart/ChartEngine/ChartAxis.h"
#include "chart/ChartPanel/ChartCanvas.h"
#include "chart/Series/LineSeries.h"
#include "testing/chart/ReferenceLineSeries.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

enum class TShape { Walk, Spikes, Constant, Steps, FarOut, Bounded };

struct TPoints {
    std::vector<double> X;
    std::vector<double> Y;
    std::vector<TColor> Colors;
    // Order in which the points are added; those added late go in between (x stays ascending).
    std::vector<std::size_t> Order;
};

struct TCase {
    int Width = 527;
    int Height = 307;
    bool View3D = false;
    std::array<bool, 4> Active = {true, true, true, true};
    std::array<TPoints, 4> Points;
    // Axis ranges set by a zoom or scroll; automatic when empty.
    std::vector<double> Bottom;
    std::vector<double> Left;
    bool BottomInverted = false;
    bool LeftInverted = false;
    std::string Description;
};

constexpr std::array<TColor, 4> kColors = {clAqua, 0x8000FF, clBlue, clRed};

TPoints Generate(std::mt19937& random, int n, TShape shape, TColor color, double nulls, double colourChanges,
                 bool repeatedX)
{
    std::uniform_real_distribution<double> unit(0, 1);
    const auto chance = [&](double p) { return unit(random) < p; };
    TPoints points;
    double x = 0;
    double y = 50 + 30 * unit(random);
    TColor current = color;
    // Bounded draws as many random numbers as Walk, which it replaces in some cases.
    const double boundedWidth = std::round(3 + 2 * (y - 50));
    for (int i = 0; i < n; ++i) {
        switch (shape) {
        case TShape::Walk: y = std::clamp(y + std::round(6 * unit(random)) - 3, 0.0, 100.0); break;
        case TShape::Spikes: y = chance(0.02) ? 100 * unit(random) : 40 + unit(random); break;
        case TShape::Constant:
            if (chance(0.001))
                y = std::round(100 * unit(random));
            break;
        case TShape::Steps:
            if (chance(0.05))
                y = std::round(100 * unit(random));
            break;
        case TShape::FarOut:
            y = chance(0.05) ? (chance(0.5) ? -1 : 1) * std::pow(10.0, 12 * unit(random)) : 60 * unit(random);
            break;
        case TShape::Bounded: {
            // Whole numbers held at the edges of a band, so that a column's values keep meeting
            // its extremes, and now and then a value half-way between two of them. The band lies
            // above the narrow zoomed ranges, whose rows would make every ribbon huge.
            const double u = unit(random);
            y = std::clamp(std::round(y) + std::round(6 * u) - 3, 140.0, 140 + boundedWidth) +
                (std::fmod(u * 1e4, 1.0) < 0.003 ? 0.5 : 0);
            break;
        }
        }
        if (chance(colourChanges))
            current = chance(0.5) ? color : static_cast<TColor>(random() & 0xFFFFFF);
        points.X.push_back(x);
        points.Y.push_back(y);
        points.Colors.push_back(chance(nulls) ? clNone : current);
        x += repeatedX ? std::floor(3 * unit(random)) * 0.5 : 1;
        points.Order.push_back(points.Order.size());
    }
    // A few points added just after their successors.
    if (chance(0.1)) {
        for (int swaps = 0; swaps < 5 && n > 1; ++swaps) {
            const std::size_t at = random() % (points.Order.size() - 1);
            std::swap(points.Order[at], points.Order[at + 1]);
        }
    }
    return points;
}

TCase MakeCase(std::uint32_t seed, int fewestPoints, int mostPoints)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0, 1);
    const auto chance = [&](double p) { return unit(random) < p; };
    constexpr std::array<std::array<int, 2>, 6> kSizes = {
        {{527, 307}, {300, 200}, {900, 520}, {140, 100}, {200, 150}, {260, 700}}};
    TCase c;
    const auto size = kSizes[random() % kSizes.size()];
    c.Width = size[0];
    c.Height = size[1];
    c.View3D = chance(0.5);
    std::ostringstream text;
    text << "seed " << seed << ", " << c.Width << " x " << c.Height << (c.View3D ? ", 3D" : ", flat");
    for (std::size_t s = 0; s < 4; ++s) {
        c.Active[s] = chance(0.8);
        const int n = static_cast<int>(fewestPoints * std::pow(double(mostPoints) / fewestPoints, unit(random)));
        auto shape = static_cast<TShape>(random() % 5);
        if (shape == TShape::Walk && seed % 2 == 1)
            shape = TShape::Bounded;
        const double nulls = chance(0.2) ? 0.01 * unit(random) : 0;
        const double colours = chance(0.2) ? 0.02 * unit(random) : 0;
        const bool repeatedX = chance(0.2);
        c.Points[s] = Generate(random, n, shape, kColors[s], nulls, colours, repeatedX);
        text << "; series " << s << (c.Active[s] ? "" : " off") << " n " << n << " shape " << static_cast<int>(shape)
             << (nulls > 0 ? " nulls" : "") << (colours > 0 ? " colours" : "") << (repeatedX ? " repeated x" : "");
    }
    const double span = c.Points[0].X.back() + 1;
    if (chance(0.3)) {
        // Zoomed or scrolled horizontally: a window that may start inside the data or beyond it.
        const double a = span * (1.4 * unit(random) - 0.2);
        c.Bottom = {a, a + span * unit(random)};
    }
    if (chance(0.3)) {
        const double a = 120 * unit(random) - 10;
        // Now and then so narrow that points fall outside the drawable pixel range.
        c.Left = {a, a + (chance(0.3) ? 0.01 : 60) * unit(random)};
    }
    c.BottomInverted = chance(0.1);
    c.LeftInverted = chance(0.1);
    text << (c.Bottom.empty() ? "" : "; bottom zoomed") << (c.Left.empty() ? "" : "; left zoomed")
         << (c.BottomInverted ? "; bottom inverted" : "") << (c.LeftInverted ? "; left inverted" : "");
    c.Description = text.str();
    return c;
}

struct TPicture {
    QImage Image;
    // First and last visible index of each series.
    std::vector<std::int32_t> Visible;
};

template <typename TSeries>
TPicture Paint(const TCase& c)
{
    TDataChart chart;
    chart.SetBounds(0, 0, c.Width, c.Height);
    chart.SetBackColor(0x39C9FF);
    chart.Gradient().SetVisible(true);
    chart.SetView3D(c.View3D);
    std::array<TSeries, 4> series;
    for (std::size_t s = 0; s < series.size(); ++s) {
        series[s].SetSeriesColor(kColors[s]);
        series[s].SetParentChart(&chart);
        const TPoints& p = c.Points[s];
        for (std::size_t i : p.Order)
            series[s].AddXY(p.X[i], p.Y[i], "", p.Colors[i]);
        series[s].SetActive(c.Active[s]);
    }
    if (!c.Bottom.empty())
        chart.BottomAxis()->SetMinMax(c.Bottom[0], c.Bottom[1]);
    if (!c.Left.empty())
        chart.LeftAxis()->SetMinMax(c.Left[0], c.Left[1]);
    chart.BottomAxis()->SetSetting(&TAxisSettings::Inverted, c.BottomInverted);
    chart.LeftAxis()->SetSetting(&TAxisSettings::Inverted, c.LeftInverted);
    TPicture picture{QImage(c.Width, c.Height, QImage::Format_RGB32), {}};
    TChartCanvas canvas(&picture.Image);
    chart.Paint(canvas);
    for (const TSeries& s : series) {
        picture.Visible.push_back(s.FirstValueIndex);
        picture.Visible.push_back(s.LastValueIndex);
    }
    return picture;
}

void ExpectSamePicture(const TCase& c)
{
    const TPicture fast = Paint<TLineSeries>(c);
    const TPicture reference = Paint<TReferenceLineSeries>(c);
    EXPECT_EQ(fast.Visible, reference.Visible) << c.Description;
    int differing = 0;
    QPoint firstDiffering;
    for (int y = 0; y < c.Height; ++y) {
        for (int x = 0; x < c.Width; ++x) {
            if (fast.Image.pixel(x, y) != reference.Image.pixel(x, y) && differing++ == 0)
                firstDiffering = {x, y};
        }
    }
    EXPECT_EQ(differing, 0) << c.Description << ": first at " << firstDiffering.x() << ", " << firstDiffering.y();
}

TEST(ColumnDrawing, ManySmallChartsMatchTheSegmentBySegmentPicture)
{
    for (std::uint32_t seed = 0; seed < 2000; ++seed)
        ExpectSamePicture(MakeCase(seed, 1, 5000));
}

TEST(ColumnDrawing, LargeChartsMatchTheSegmentBySegmentPicture)
{
    for (std::uint32_t seed = 100000; seed < 100024; ++seed)
        ExpectSamePicture(MakeCase(seed, 20000, 200000));
}

TEST(ColumnDrawing, MillionPointChartsMatchTheSegmentBySegmentPictureFlatAndIn3D)
{
    for (const bool view3D : {false, true}) {
        TCase c = MakeCase(200000, 1000000, 1000000);
        c.View3D = view3D;
        c.Active = {true, true, true, true};
        c.Description += view3D ? " (3D)" : " (flat)";
        ExpectSamePicture(c);
    }
}

}  // namespace
