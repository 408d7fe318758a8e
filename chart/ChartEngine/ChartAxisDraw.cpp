// Axis room and drawing: title, value labels with their ticks and grid lines, axis line.
#include "chart/ChartEngine/ChartAxis.h"

#include "chart/ChartEngine/ChartAxisScale.h"
#include "chart/ChartEngine/ChartSeries.h"
#include "chart/ChartEngine/CustomAxisPanel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

bool Rotated(std::int32_t angle)
{
    return angle != 0 && angle != 180;
}

}  // namespace

TChartAxis::TSide TChartAxis::AxisSide() const
{
    if (IsHorizontal)
        return IsOtherSide ? TSide::Top : TSide::Bottom;
    return IsOtherSide ? TSide::Right : TSide::Left;
}

std::int32_t TChartAxis::Shrink(TRect& rect, std::int32_t room) const
{
    switch (AxisSide()) {
    case TSide::Bottom: return rect.Bottom -= room;
    case TSide::Top: return rect.Top += room;
    case TSide::Left: return rect.Left += room;
    case TSide::Right: return rect.Right -= room;
    }
    return 0;
}

std::int32_t TChartAxis::TitleRoom()
{
    if (FSettings.TitleSize != 0)
        return FSettings.TitleSize;
    FChart.SetCanvasFont(FTitle.Font());
    if (Rotated(FTitle.Angle()) == IsHorizontal)
        return FChart.TextWidth(FTitle.Caption());
    return FChart.FontHeight();
}

std::int32_t TChartAxis::LabelsRoom()
{
    if (FSettings.LabelsSize != 0)
        return FSettings.LabelsSize;
    FChart.SetCanvasFont(LabelsFont());
    if (Rotated(FSettings.LabelsAngle) == IsHorizontal)
        return MaxLabelsWidth();
    return FChart.FontHeight();
}

void TChartAxis::ReserveSpace(TRect& rect)
{
    RecalcDateTime();
    if (!FTitle.Caption().empty())
        TitlePosition = Shrink(rect, TitleRoom());
    if (FSettings.Labels)
        LabelsPosition = Shrink(rect, LabelsRoom());
    std::int32_t t = FAxis.Visible() ? FAxis.Width() : 0;
    if (FTicks.Visible())
        t += FSettings.TickLength;
    if (FMinorTicks.Visible())
        t = std::max(t, FSettings.MinorTickLength);
    t += FChart.WallSize(this);
    if (t > 0)
        Shrink(rect, t);
}

std::int32_t TChartAxis::MaxLabelsWidth()
{
    std::int32_t widest = 0;
    FMeasuring = true;
    switch (CalcLabelStyle()) {
    case talValue: {
        const double step = ComputeIncrement();
        double low = CurrentMinimum;
        double high = CurrentMaximum;
        if (FSettings.RoundFirstLabel) {
            low = static_cast<double>(truncl(static_cast<long double>(CurrentMinimum) / step) * step);
            high = static_cast<double>(truncl(static_cast<long double>(CurrentMaximum) / step) * step);
        }
        widest = std::max(FChart.TextWidth(LabelText(low)), FChart.TextWidth(LabelText(high))) + FChart.TextWidth(" ");
        break;
    }
    case talMark:
    case talText:
        for (TChartSeries* series : FChart.SeriesList()) {
            if (!series->Active() || !series->UsesAxis(this))
                continue;
            for (std::int32_t i = 0; i < series->Count(); ++i)
                if (const auto& label = series->Label(i))
                    widest = std::max(widest, FChart.TextWidth(*label));
        }
        break;
    case talAuto:
    case talNone: break;
    }
    FMeasuring = false;
    return widest;
}

void TChartAxis::DrawAxis(bool calculatePosition)
{
    RecalcDateTime();
    FChart.SetCanvasFont(LabelsFont());
    const double step = ComputeIncrement();
    if (calculatePosition) {
        const TRect& r = FChart.ChartRect;
        switch (AxisSide()) {
        case TSide::Bottom: AxisPosition = ShiftedAxisPosition = r.Bottom; break;
        case TSide::Left: AxisPosition = ShiftedAxisPosition = r.Left; break;
        case TSide::Top:
            AxisPosition = r.Top;
            ShiftedAxisPosition = AxisPosition - FChart.Height3D;
            break;
        case TSide::Right:
            AxisPosition = r.Right;
            ShiftedAxisPosition = AxisPosition + FChart.Width3D;
            break;
        }
    }
    if (!FTitle.Caption().empty())
        DrawTitle();
    if (step > 0 && CurrentMaximum >= CurrentMinimum) {
        FPreviousTickPixel = -1;
        // Point-text and mark labels are not drawn: no series of the program carries texts.
        if (CalcLabelStyle() == talValue) {
            const AxisScale::TLabelRule rule{FSettings.RoundFirstLabel, FSettings.LabelsOnAxis};
            for (double value : AxisScale::LabelValues(CurrentMinimum, CurrentMaximum, step, rule))
                DrawValueLabel(value);
        }
    }
    if (FAxis.Visible())
        DrawAxisLine();
}

void TChartAxis::DrawTitle()
{
    FChart.SetCanvasFont(FTitle.Font());
    FChart.Canvas().Brush = {FChart.Color(), bsClear};
    std::int32_t x = IsHorizontal ? FChart.ChartXCenter : TitlePosition;
    std::int32_t y = IsHorizontal ? TitlePosition : FChart.ChartYCenter;
    if (IsOtherSide) {
        x += FChart.Width3D;
        y -= FChart.Height3D;
    }
    PlaceText(x, y, FTitle.Caption(), FTitle.Angle());
}

void TChartAxis::DrawValueLabel(double value)
{
    const std::int32_t p = ValueToPixel(value);
    if (!FSettings.TickOnLabelsOnly)
        DrawTicksAndGrid(p, value);
    if (!FSettings.Labels)
        return;
    const std::string text = LabelText(value);
    if (FSettings.TickOnLabelsOnly)
        DrawTicksAndGrid(p, value);
    FChart.SetCanvasFont(LabelsFont());
    FChart.Canvas().Brush = {FChart.Color(), bsClear};
    switch (AxisSide()) {
    case TSide::Bottom: PlaceText(p, LabelsPosition, text, FSettings.LabelsAngle); break;
    case TSide::Left: PlaceText(LabelsPosition, p, text, FSettings.LabelsAngle); break;
    case TSide::Top:
        PlaceText(p + FChart.Width3D, LabelsPosition - FChart.Height3D, text, FSettings.LabelsAngle);
        break;
    case TSide::Right:
        PlaceText(LabelsPosition + FChart.Width3D, p - FChart.Height3D, text, FSettings.LabelsAngle);
        break;
    }
}

void TChartAxis::DrawTicksAndGrid(std::int32_t pixel, double value)
{
    TChartCanvas& canvas = FChart.Canvas();
    if (FTicks.Visible()) {
        canvas.AssignPen(FTicks);
        DrawTick(pixel, +1, FSettings.TickLength);
    }
    // No grid line over the border of the chart rectangle.
    if (FGrid.Visible() && value != CurrentMaximum && value != CurrentMinimum)
        DrawGridLine(pixel);
    if (FTicksInner.Visible()) {
        canvas.AssignPen(FTicksInner);
        DrawTick(pixel, -1, -FSettings.TickInnerLength);
    }
    if (FMinorTicks.Visible() && FPreviousTickPixel >= 0) {
        canvas.AssignPen(FMinorTicks);
        const long double gap = (pixel - FPreviousTickPixel) * 1.0L / (FSettings.MinorTickCount + 1);
        for (std::int32_t i = 1; i <= FSettings.MinorTickCount; ++i)
            DrawTick(pixel - AxisScale::Round(i * gap), +1, FSettings.MinorTickLength);
    }
    FPreviousTickPixel = pixel;
}

void TChartAxis::DrawTick(std::int32_t pixel, std::int32_t outward, std::int32_t length)
{
    TChartCanvas& canvas = FChart.Canvas();
    const std::int32_t a = AxisPosition;
    const std::int32_t sa = ShiftedAxisPosition;
    const std::int32_t w = FChart.WallSize(this);
    const std::int32_t w3 = FChart.Width3D;
    const std::int32_t h3 = FChart.Height3D;
    switch (AxisSide()) {
    case TSide::Bottom: canvas.VertLine(pixel, sa + outward + w, sa + outward + w + length); break;
    case TSide::Left: canvas.HorizLine(sa - (outward + w), sa - (length + outward + w), pixel); break;
    case TSide::Top: canvas.VertLine(pixel + w3, a - (outward + h3), a - length - (outward + h3)); break;
    case TSide::Right: canvas.HorizLine(a + w3 + outward, a + w3 + outward + length, pixel - h3); break;
    }
}

void TChartAxis::DrawGridLine(std::int32_t p)
{
    TChartCanvas& canvas = FChart.Canvas();
    canvas.Brush.Style = bsClear;
    canvas.BackMode = bmTransparent;
    canvas.AssignPen(FGrid);
    if (FGrid.Color() == clChartDefault)
        canvas.Pen.Color = clGray;
    const TRect& r = FChart.ChartRect;
    const std::int32_t a = AxisPosition;
    const std::int32_t w3 = FChart.Width3D;
    const std::int32_t h3 = FChart.Height3D;
    if (w3 == 0) {
        switch (AxisSide()) {
        case TSide::Bottom: canvas.VertLine(p, a - 1, r.Top); break;
        case TSide::Top: canvas.VertLine(p, a + 1, r.Bottom); break;
        case TSide::Left: canvas.HorizLine(a + 1, r.Right, p); break;
        case TSide::Right: canvas.HorizLine(a - 1, r.Left, p); break;
        }
    } else {
        // Into depth with a solid stroke, then along the back plane in the grid's own style.
        const TPenStyle style = canvas.Pen.Style;
        switch (AxisSide()) {
        case TSide::Bottom:
            canvas.Pen.Style = psSolid;
            canvas.Line(p, a - 1, p + w3, a - h3 - 1);
            canvas.Pen.Style = style;
            canvas.Line(p + w3, a - h3 - 1, p + w3, r.Top - h3);
            break;
        case TSide::Top: canvas.Line(p + w3, ShiftedAxisPosition, p + w3, r.Bottom - h3); break;
        case TSide::Left:
            canvas.Pen.Style = psSolid;
            canvas.Line(a + 1, p, a + w3 + 1, p - h3);
            canvas.Pen.Style = style;
            canvas.Line(a + w3 + 1, p - h3, r.Right + w3 - 1, p - h3);
            break;
        case TSide::Right: canvas.Line(ShiftedAxisPosition, p - h3, r.Left + w3, p - h3); break;
        }
    }
    canvas.BackMode = bmOpaque;
}

void TChartAxis::DrawAxisLine()
{
    TChartCanvas& canvas = FChart.Canvas();
    canvas.AssignPen(FAxis);
    const TRect& r = FChart.ChartRect;
    const std::int32_t w = FChart.WallSize(this);
    switch (AxisSide()) {
    case TSide::Bottom: canvas.HorizLine(r.Left - FChart.WallSize(FChart.LeftAxis()), r.Right, AxisPosition + w); break;
    case TSide::Top: canvas.HorizLine(r.Left + FChart.Width3D, r.Right + FChart.Width3D, ShiftedAxisPosition); break;
    case TSide::Left:
        canvas.VertLine(AxisPosition - w, r.Top + 1, r.Bottom + FChart.WallSize(FChart.BottomAxis()));
        break;
    case TSide::Right:
        canvas.VertLine(ShiftedAxisPosition, r.Top - FChart.Height3D + 1, r.Bottom - FChart.Height3D);
        break;
    }
}

void TChartAxis::PlaceText(std::int32_t x, std::int32_t y, const std::string& text, std::int32_t angle)
{
    // Alignment along the text's own direction (start, centre, end) and across it (top, bottom).
    TChartCanvas& canvas = FChart.Canvas();
    const bool otherSide = IsOtherSide;
    int align = TA_LEFT | TA_TOP;
    if (IsHorizontal) {
        switch (angle) {
        case 0: align = TA_CENTER | (otherSide ? TA_BOTTOM : TA_TOP); break;
        case 90:
            align = (otherSide ? TA_LEFT : TA_RIGHT) | TA_TOP;
            x -= FChart.TextHeight(text) / 2;
            break;
        case 180: align = TA_CENTER | (otherSide ? TA_TOP : TA_BOTTOM); break;
        case 270:
            align = (otherSide ? TA_RIGHT : TA_LEFT) | TA_TOP;
            x += FChart.TextHeight(text) / 2;
            break;
        default: break;
        }
    } else {
        switch (angle) {
        case 0:
            align = (otherSide ? TA_LEFT : TA_RIGHT) | TA_TOP;
            y -= FChart.FontHeight() / 2;
            break;
        case 90: align = TA_CENTER | (otherSide ? TA_TOP : TA_BOTTOM); break;
        case 180:
            align = (otherSide ? TA_RIGHT : TA_LEFT) | TA_TOP;
            y += FChart.FontHeight() / 2;
            break;
        case 270: align = TA_CENTER | (otherSide ? TA_BOTTOM : TA_TOP); break;
        default: break;
        }
    }
    canvas.TextAlign = align;
    if (angle == 0)
        FChart.TextOut(x, y, text);
    else
        canvas.RotateLabel(x, y, text, angle);
    canvas.TextAlign = TA_LEFT | TA_TOP;
}

bool TChartAxis::AxisClicked(std::int32_t x, std::int32_t y) const
{
    if (!FChart.IsAxisVisible(this))
        return false;
    const TRect& r = FChart.ChartRect;
    if (IsHorizontal)
        return r.Left <= x && x <= r.Right && std::abs(ShiftedAxisPosition - y) < kClickTolerance;
    return r.Top <= y && y <= r.Bottom && std::abs(ShiftedAxisPosition - x) < kClickTolerance;
}
