// The paint sequence of the axis panel: panel, titles and legend, axis room, series margins,
// background, axes, series, zoom band.
#include "chart/ChartEngine/ChartAxis.h"
#include "chart/ChartEngine/ChartSeries.h"
#include "chart/ChartEngine/CustomAxisPanel.h"
#include "chart/ChartEngine/CustomChartLegend.h"

#include <algorithm>
#include <array>
#include <cmath>

void TCustomAxisPanel::InternalDraw(const TRect& r)
{
    TChartCanvas& canvas = Canvas();
    const TColor backColor = canvas.BackColor;
    DrawPanel(r);
    canvas.Pen.Color = clBlack;
    DrawTitlesAndLegend();
    CalcZOrders();
    CalcAxisRect();
    CalcSeriesRect();
    const TRect seriesClip = ChartRect;
    DrawChartBackground();
    if (FAxisVisible) {
        for (TChartAxis* axis : {TopAxis(), BottomAxis(), LeftAxis(), RightAxis()}) {
            if (IsAxisVisible(axis))
                axis->DrawAxis(true);
        }
    }
    for (TChartSeries* s : FSeriesList)
        DrawSeries(s, seriesClip);
    if (Zoom.Active)
        DrawZoomRectangle();
    canvas.BackColor = backColor;
    if (OnAfterDraw)
        OnAfterDraw(*this);
}

void TCustomAxisPanel::DrawTitlesAndLegend()
{
    if (FLegend->Visible() && CountActiveSeries() >= 1) {
        const TLegendAlignment side = FLegend->Alignment();
        if (side == laLeft || side == laRight) {
            FLegend->DrawLegend();
            DrawTitles();
        } else {
            DrawTitles();
            FLegend->DrawLegend();
        }
    } else {
        DrawTitles();
    }
}

// This level has no titles; the chart control adds title and foot.
void TCustomAxisPanel::DrawTitles()
{
}

void TCustomAxisPanel::CalcZOrders()
{
    MaxZOrder = FView3D ? -1 : 0;
    for (TChartSeries* s : FSeriesList) {
        if (s->Active())
            s->CalcZOrder();
    }
    if (FView3D) {
        // Handed out front to back in list order; the first series ends at the back.
        for (TChartSeries* s : FSeriesList) {
            if (s->Active())
                s->ZOrder = MaxZOrder - s->ZOrder;
        }
    }
}

void TCustomAxisPanel::Calc3DSizes()
{
    if (!FView3D) {
        SeriesWidth3D = SeriesHeight3D = Width3D = Height3D = 0;
        return;
    }
    // Tenths of a percent; the product is formed in extended precision and rounded half-even.
    const long double f = FChart3DPercent * 0.001;
    SeriesWidth3D = static_cast<std::int32_t>(std::nearbyintl(ChartWidth * f));
    SeriesHeight3D = static_cast<std::int32_t>(std::nearbyintl(ChartHeight * f));
    const std::int32_t slabs = std::max(MaxZOrder + 1, 1);
    Width3D = SeriesWidth3D * slabs;
    Height3D = SeriesHeight3D * slabs;
}

void TCustomAxisPanel::CalcAxisRect()
{
    const std::array<TChartAxis*, 4> axes = {LeftAxis(), RightAxis(), TopAxis(), BottomAxis()};
    for (TChartAxis* axis : axes)
        axis->AdjustRange();
    Calc3DSizes();
    ChartRect.Right -= Width3D;
    ChartRect.Top += Height3D;
    RecalcWidthHeight();
    TRect current = ChartRect;
    for (TChartAxis* axis : axes) {
        if (!IsAxisVisible(axis))
            continue;
        TRect shrunk = current;
        axis->ReserveSpace(shrunk);
        TRect both;
        if (IntersectRect(both, shrunk, current))
            current = both;
    }
    ChartRect = current;
    RecalcWidthHeight();
}

void TCustomAxisPanel::CalcSeriesRect()
{
    for (TChartAxis* axis : {TopAxis(), LeftAxis(), RightAxis(), BottomAxis()}) {
        std::int32_t low = 0;
        std::int32_t high = 0;
        for (TChartSeries* s : FSeriesList) {
            if (!s->Active())
                continue;
            std::int32_t a = 0;
            std::int32_t b = 0;
            if (axis->IsHorizontal && s->GetHorizAxis() == axis)
                s->CalcHorizMargins(a, b);
            else if (!axis->IsHorizontal && s->GetVertAxis() == axis)
                s->CalcVerticalMargins(a, b);
            low = std::max(low, a);
            high = std::max(high, b);
        }
        if (axis->IsHorizontal)
            axis->ApplyMargins(low, 0, high, 0);
        else
            axis->ApplyMargins(0, low, 0, high);
    }
}

void TCustomAxisPanel::DrawChartBackground()
{
    if (FFrame.Visible() || FBackColor != clChartDefault) {
        TChartCanvas& canvas = Canvas();
        canvas.Brush.Style = bsClear;
        if (FFrame.Visible()) {
            canvas.AssignPen(FFrame);
            if (canvas.Pen.Color == clChartDefault)
                canvas.Pen.Color = Color() == clBlack ? clWhite : clBlack;
        } else {
            canvas.Pen.Style = psClear;
        }
        if (FBackColor != clChartDefault)
            canvas.Brush = {FBackColor, bsSolid};
        canvas.Rectangle(ChartRect.Left + Width3D, ChartRect.Top - Height3D, ChartRect.Right + Width3D + 1,
                         ChartRect.Bottom - Height3D);
    }
    if (FView3D && FView3DWalls)
        DrawWalls();
}

// Walls belong to the chart control, which owns them.
void TCustomAxisPanel::DrawWalls()
{
}

// The zoom band belongs to the chart control's mouse handling.
void TCustomAxisPanel::DrawZoomRectangle()
{
}

void TCustomAxisPanel::ClipSeriesRegion(const TRect& r)
{
    TChartCanvas& canvas = Canvas();
    if (!FView3D) {
        const std::int32_t k = FFrame.Visible() ? FFrame.Width() - 1 : 0;
        canvas.ClipRectangle({r.Left + 1, r.Top + 1, r.Right - k, r.Bottom - 1 - k});
        return;
    }
    // Front face, top and right side of the box, so rear slabs are cut at the box outline.
    const std::array<TPoint, 6> box = {{{r.Left + 1, r.Bottom - 1},
                                        {r.Left + 1, r.Top},
                                        {r.Left + Width3D, r.Top - Height3D + 1},
                                        {r.Right + Width3D, r.Top - Height3D + 1},
                                        {r.Right + Width3D, r.Bottom - Height3D + 1},
                                        {r.Right, r.Bottom}}};
    canvas.ClipPolygon(box);
}

void TCustomAxisPanel::DrawSeries(TChartSeries* series, const TRect& clipRect)
{
    if (!series->Active())
        return;
    series->CalcFirstLastVisibleIndex();
    if (series->FirstValueIndex == -1)
        return;
    if (series->OnBeforeDrawValues)
        series->OnBeforeDrawValues(*series);
    if (FClipPoints)
        ClipSeriesRegion(clipRect);
    series->DrawAllValues();
    if (FClipPoints)
        Canvas().UnClip();
    // Marks are never shown by this program, so they have no drawing here.
    if (series->OnAfterDrawValues)
        series->OnAfterDrawValues(*series);
}
