#include "chart/Series/CustomSeries.h"

#include "chart/ChartEngine/ChartAxis.h"
#include "chart/ChartEngine/ChartLegend.h"
#include "chart/ChartEngine/CustomAxisPanel.h"
#include "chart/ChartPanel/ChartCanvas.h"
#include "chart/Series/SeriesColumns.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Pixel positions the window system can draw; points beyond are skipped.
bool Drawable(std::int32_t v)
{
    return v > -32767 && v < 32767;
}

// Squared distance from (px, py) to the segment a-b, in extended precision.
long double SegmentDistance2(TPoint a, TPoint b, std::int32_t px, std::int32_t py)
{
    const long double dx = b.X - a.X;
    const long double dy = b.Y - a.Y;
    const long double len2 = dx * dx + dy * dy;
    long double t = 0;
    if (len2 > 0)
        t = std::clamp(((px - a.X) * dx + (py - a.Y) * dy) / len2, 0.0L, 1.0L);
    const long double ex = a.X + t * dx - px;
    const long double ey = a.Y + t * dy - py;
    return ex * ex + ey * ey;
}

// Inside the parallelogram spanned from `a` by the edges `u` and `v` (border included).
bool InParallelogram(TPoint a, TPoint u, TPoint v, std::int32_t px, std::int32_t py)
{
    const long double det = static_cast<long double>(u.X) * v.Y - static_cast<long double>(u.Y) * v.X;
    if (det == 0)
        return false;
    const long double qx = px - a.X;
    const long double qy = py - a.Y;
    const long double s = (qx * v.Y - qy * v.X) / det;
    const long double t = (u.X * qy - u.Y * qx) / det;
    return s >= 0 && s <= 1 && t >= 0 && t <= 1;
}

}  // namespace

TCustomSeries::TCustomSeries() : FPointer([this] { CanvasChanged(); })
{
    FAreaLinesPen.OnChange = [this] { CanvasChanged(); };
    FLinePen.OnChange = [this] { CanvasChanged(); };
}

void TCustomSeries::SetStairs(bool value)
{
    SetAndRepaint(FStairs, value, [this] { Repaint(); });
}
void TCustomSeries::SetInvertedStairs(bool value)
{
    SetAndRepaint(FInvertedStairs, value, [this] { Repaint(); });
}
void TCustomSeries::SetDrawLine(bool value)
{
    SetAndRepaint(FDrawLine, value, [this] { Repaint(); });
}
void TCustomSeries::SetDrawArea(bool value)
{
    SetAndRepaint(FDrawArea, value, [this] { Repaint(); });
}
void TCustomSeries::SetAreaColor(TColor value)
{
    SetAndRepaint(FAreaColor, value, [this] { Repaint(); });
}
void TCustomSeries::SetLineBrush(TBrushStyle value)
{
    SetAndRepaint(FLineBrush, value, [this] { Repaint(); });
}
void TCustomSeries::SetAreaBrush(TBrushStyle value)
{
    SetAndRepaint(FAreaBrush, value, [this] { Repaint(); });
}

void TCustomSeries::CalcHorizMargins(std::int32_t& leftMargin, std::int32_t& rightMargin)
{
    TChartSeries::CalcHorizMargins(leftMargin, rightMargin);
    if (FPointer.Visible() && FPointer.InflateMargins()) {
        leftMargin = std::max(leftMargin, FPointer.HorizSize() + 1);
        rightMargin = std::max(rightMargin, FPointer.HorizSize() + 1);
    }
}

void TCustomSeries::CalcVerticalMargins(std::int32_t& topMargin, std::int32_t& bottomMargin)
{
    TChartSeries::CalcVerticalMargins(topMargin, bottomMargin);
    if (FPointer.Visible() && FPointer.InflateMargins()) {
        topMargin = std::max(topMargin, FPointer.VertSize() + 1);
        bottomMargin = std::max(bottomMargin, FPointer.VertSize() + 1);
    }
}

std::int32_t TCustomSeries::InterpolatedStartY(std::int32_t index) const
{
    const double x0 = XValue(index - 1);
    const double x1 = XValue(index);
    if (FStairs || x0 == x1)
        return CalcYPosValue(YValue(index - 1));
    const long double y0 = YValue(index - 1);
    const long double y1 = YValue(index);
    const long double at = GetHorizAxis()->Minimum();
    return CalcYPosValue(static_cast<double>(y0 + (y1 - y0) * (at - x0) / (static_cast<long double>(x1) - x0)));
}

void TCustomSeries::DrawValue(std::int32_t index)
{
    TChartCanvas& canvas = ParentChart()->Canvas();
    const TColor c = ValueColor(index);
    canvas.Pen.Color = clBlack;
    canvas.Brush.Color = c;
    const std::int32_t x = CalcXPos(index);
    const std::int32_t y = CalcYPos(index);
    if (OldColor == clNone) {
        OldX = x;
        OldY = y;
    }
    if (!Drawable(x) || !Drawable(y))
        return;
    if (index == FirstValueIndex) {
        if (index > 0) {
            OldX = CalcXPosValue(GetHorizAxis()->Minimum());
            OldY = InterpolatedStartY(index);
            if (ValueColor(index - 1) != clNone)
                DrawSegment(index, x, y, c, false);
        }
        if (index == LastValueIndex && FPointer.Visible() && !FSegmentProbe)
            FPointer.Draw(canvas, x, y, c);
    } else {
        DrawSegment(index, x, y, c, true);
    }
    OldX = x;
    OldY = y;
    OldColor = c;
}

bool TCustomSeries::DrawsByColumns() const
{
    if (!XValues().Ascending() || ColorEachPoint() || FPointer.Visible() || FStairs || !FLinePen.Visible() ||
        FLinePen.Width() > 1 || FLinePen.Style() != psSolid || FLinePen.Mode() != pmCopy)
        return false;
    const TCustomAxisPanel& chart = *ParentChart();
    if (!chart.View3D())
        return FDrawLine;
    return (FDrawArea || FDrawLine) && FLineBrush == bsSolid && chart.SeriesWidth3D > 0 && chart.SeriesHeight3D > 0;
}

void TCustomSeries::DrawAllValues()
{
    // With fewer than four points per column on average, looking for runs costs more than it saves.
    if (LastValueIndex - FirstValueIndex < 4 * ParentChart()->ChartWidth || !DrawsByColumns()) {
        TChartSeries::DrawAllValues();
        return;
    }
    const bool view3D = ParentChart()->View3D();
    const TSeriesColumns columns(*this, ParentChart()->SeriesWidth3D, ParentChart()->SeriesHeight3D);
    DrawValue(FirstValueIndex);
    std::int32_t runLength = 0;
    for (std::int32_t i = FirstValueIndex + 1; i <= LastValueIndex;) {
        const TSeriesColumns::TRun run = columns.Run(i, LastValueIndex, runLength);
        runLength = run.Last - i + 1;
        // The segment into the column; then the run's own segments, all in this colour.
        DrawValue(i);
        if (run.Last > i) {
            const TColor c = OldColor;
            const std::int32_t lastRow = CalcYPos(run.Last);
            if (view3D) {
                PrepareRibbons(c);
                ParentChart()->Canvas().Parallelograms(OldX,
                                                       {ParentChart()->SeriesWidth3D, -ParentChart()->SeriesHeight3D},
                                                       columns.VisibleRibbons(run, lastRow));
            } else if (std::int32_t top = 0, bottom = 0; columns.LineRows(run, lastRow, top, bottom)) {
                OldY = top;
                DrawFlatLine(OldX, bottom + 1, c);
            }
            OldY = lastRow;
        }
        i = run.Last + 1;
    }
}

void TCustomSeries::DrawSegment(std::int32_t index, std::int32_t x, std::int32_t y, TColor c, bool previousMarker)
{
    if ((x == OldX && y == OldY) || c == clNone)
        return;
    if (FSegmentProbe) {
        FSegmentProbe(index, x, y);
        return;
    }
    if (ParentChart()->View3D()) {
        if (FDrawArea || (FDrawLine && FLineBrush != bsClear))
            DrawRibbon(x, y, c);
    } else if (FDrawLine) {
        DrawFlatLine(x, y, c);
    }
    // Markers after the lines, so that lines never cover them.
    if (FPointer.Visible()) {
        TChartCanvas& canvas = ParentChart()->Canvas();
        if (previousMarker)
            FPointer.Draw(canvas, OldX, OldY, OldColor);
        if (index == LastValueIndex)
            FPointer.Draw(canvas, x, y, c);
    }
}

void TCustomSeries::PrepareRibbons(TColor c)
{
    TChartCanvas& canvas = ParentChart()->Canvas();
    const TColor fill = FAreaColor != clChartDefault && !ColorEachPoint() ? FAreaColor : c;
    canvas.Brush = {fill, FLineBrush};
    if (FLinePen.Visible())
        canvas.AssignPen(FLinePen);
    else
        canvas.Pen.Style = psClear;
}

void TCustomSeries::DrawRibbon(std::int32_t x, std::int32_t y, TColor c)
{
    PrepareRibbons(c);
    TChartCanvas& canvas = ParentChart()->Canvas();
    const std::int32_t w = ParentChart()->SeriesWidth3D;
    const std::int32_t h = ParentChart()->SeriesHeight3D;
    const auto slab = [&](TPoint from, TPoint to) {
        const std::array<TPoint, 4> quad = {{to, from, {from.X + w, from.Y - h}, {to.X + w, to.Y - h}}};
        canvas.Polygon(quad);
    };
    if (FStairs) {
        const TPoint corner = FInvertedStairs ? TPoint{OldX, y} : TPoint{x, OldY};
        slab({OldX, OldY}, corner);
        slab(corner, {x, y});
    } else {
        slab({OldX, OldY}, {x, y});
    }
}

void TCustomSeries::DrawFlatLine(std::int32_t x, std::int32_t y, TColor c)
{
    TChartCanvas& canvas = ParentChart()->Canvas();
    canvas.AssignPen(FLinePen);
    canvas.Pen.Color = c;
    if (!FLinePen.Visible())
        canvas.Pen.Style = psClear;
    canvas.Brush.Style = bsClear;
    if (FStairs) {
        const TPoint corner = FInvertedStairs ? TPoint{OldX, y} : TPoint{x, OldY};
        canvas.Line(OldX, OldY, corner.X, corner.Y);
        canvas.Line(corner.X, corner.Y, x, y);
    } else {
        canvas.Line(OldX, OldY, x, y);
    }
}

void TCustomSeries::DrawLegend(std::int32_t valueIndex, const TRect& rect)
{
    const TColor color = valueIndex < 0 ? SeriesColor() : ValueColor(valueIndex);
    if (color == clNone)
        return;
    TCustomAxisPanel& chart = *ParentChart();
    TChartCanvas& canvas = chart.Canvas();
    canvas.Brush.Color = color;
    canvas.AssignPen(FLinePen);
    if (!FLinePen.Visible())
        canvas.Pen.Style = psClear;
    canvas.SetBrushCanvas(color, FLineBrush, chart.Legend()->Color());
    if (chart.View3D()) {
        canvas.Rectangle(rect);
    } else {
        canvas.Pen.Color = color;
        canvas.Brush.Style = bsClear;
        canvas.HorizLine(rect.Left, rect.Right, (rect.Top + rect.Bottom) / 2);
    }
}

std::int32_t TCustomSeries::Clicked(std::int32_t x, std::int32_t y)
{
    if (ParentChart() == nullptr || !Active() || FirstValueIndex < 0 || LastValueIndex >= Count())
        return -1;
    const bool view3D = ParentChart()->View3D();
    const TPoint depth = {ParentChart()->SeriesWidth3D, -ParentChart()->SeriesHeight3D};
    const long double tolerance2 = static_cast<long double>(kClickTolerance) * kClickTolerance;
    std::int32_t hit = -1;
    // Replays the last paint's walk over the points, so skipped, null and interpolated
    // points behave exactly as drawn.
    const std::int32_t savedX = OldX;
    const std::int32_t savedY = OldY;
    const TColor savedColor = OldColor;
    FSegmentProbe = [&](std::int32_t index, std::int32_t toX, std::int32_t toY) {
        if (hit >= 0)
            return;
        const TPoint from = {OldX, OldY};
        const TPoint to = {toX, toY};
        bool onLine = SegmentDistance2(from, to, x, y) <= tolerance2;
        if (FStairs) {
            const TPoint corner = FInvertedStairs ? TPoint{from.X, to.Y} : TPoint{to.X, from.Y};
            onLine =
                SegmentDistance2(from, corner, x, y) <= tolerance2 || SegmentDistance2(corner, to, x, y) <= tolerance2;
        }
        const bool onRibbon = view3D && InParallelogram(from, {to.X - from.X, to.Y - from.Y}, depth, x, y);
        if (!onLine && !onRibbon)
            return;
        const bool nearerEnd = SegmentDistance2(to, to, x, y) <= SegmentDistance2(from, from, x, y);
        hit = nearerEnd || index == 0 ? index : index - 1;
    };
    for (std::int32_t i = FirstValueIndex; i <= LastValueIndex && hit < 0; ++i)
        DrawValue(i);
    FSegmentProbe = nullptr;
    OldX = savedX;
    OldY = savedY;
    OldColor = savedColor;
    return hit;
}
