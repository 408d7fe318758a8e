#include "chart/ChartEngine/ChartLegend.h"

#include "chart/ChartEngine/ChartAxisScale.h"
#include "chart/ChartEngine/ChartSeries.h"
#include "chart/ChartEngine/CustomAxisPanel.h"
#include "chart/ChartPanel/ChartCanvas.h"

#include <algorithm>

TChartLegend::TChartLegend(TCustomAxisPanel* chart) : TCustomChartLegend(chart)
{
    FDividingLines.OnChange = [this] { Repaint(); };
}

void TChartLegend::SetShadowColor(TColor value)
{
    SetAndRepaint(FShadowColor, value, [this] { Repaint(); });
}

void TChartLegend::SetShadowSize(std::int32_t value)
{
    SetAndRepaint(FShadowSize, value, [this] { Repaint(); });
}

std::int32_t TChartLegend::MaxLegendItems(std::int32_t start, std::int32_t itemSize) const
{
    const TCustomAxisPanel& chart = *ParentChart();
    const TRect& r = chart.ChartRect;
    const std::int32_t fw = Frame().Width();
    std::int32_t room;
    if (Vertical()) {
        if (r.Bottom <= start || itemSize <= 0)
            return 0;
        room = r.Bottom - start - 2 * fw - 2 - FShadowSize;
    } else {
        if (r.Right <= start || itemSize <= 0)
            return 0;
        room = chart.ChartWidth - 2 * fw - start + r.Left;
    }
    return std::max(std::min(room / itemSize, TotalLegendItems()), 0);
}

void TChartLegend::DrawLegend()
{
    TCustomAxisPanel& chart = *ParentChart();
    CalcLegendStyle();
    chart.SetCanvasFont(Font());
    FItemHeight = chart.FontHeight();
    const std::int32_t first = FirstValue();
    const std::int32_t total = TotalLegendItems();
    std::int32_t widest = 0;
    for (std::int32_t n = first; n < first + total; ++n)
        widest = std::max(widest, chart.TextWidth(chart.GetLegendText(n)));
    const std::int32_t textWidth = widest + 4;
    ColorWidthPixels = AxisScale::Round(ColorWidth() * textWidth * 0.01L);
    FItemWidth = textWidth + ColorWidthPixels + 4;

    // The frame's outer pixels and the shadow lie outside the box proper.
    const std::int32_t fw = Frame().Width();
    const std::int32_t frameRoom = Frame().Visible() ? fw + 1 : 0;
    const TRect& cr = chart.ChartRect;
    TRect box;
    if (Vertical()) {
        box.Top = cr.Top + MulDiv(TopPos(), chart.ChartHeight, 100);
        FItems = MaxLegendItems(box.Top, FItemHeight);
        box.Bottom = box.Top + FItems * FItemHeight + 2;
        const std::int32_t width = FItemWidth + 8;
        box.Left = Alignment() == laRight ? cr.Right - FShadowSize - frameRoom - width : cr.Left + frameRoom;
        box.Right = box.Left + width;
    } else {
        if (Alignment() == laBottom) {
            box.Bottom = cr.Bottom - FShadowSize - frameRoom;
            box.Top = box.Bottom - 2 - FItemHeight;
        } else {
            box.Top = cr.Top + frameRoom;
            box.Bottom = box.Top + 2 + FItemHeight;
        }
        FItems = MaxLegendItems(8, FItemWidth);
        const std::int32_t half = std::min(FItemWidth * FItems + 8 + 2 * FShadowSize, chart.ChartWidth) / 2;
        box.Left = chart.ChartXCenter - half;
        box.Right = chart.ChartXCenter + half;
    }
    RectLegend = box;
    if (chart.OnGetLegendRect)
        chart.OnGetLegendRect(chart, RectLegend);
    if (FItems == 0)
        return;
    FTextX = RectLegend.Left + 4 + ColorWidthPixels + 4;

    DrawBox();
    TChartCanvas& canvas = chart.Canvas();
    canvas.Pen = {Color() == clBlack ? clWhite : clBlack, 1, psSolid, pmCopy};
    const std::int32_t last = first + FItems - 1;
    for (std::int32_t n = first; n <= last; ++n)
        DrawLegendItem(Inverted() ? last + first - n : n, n - first);
    ResizeChartRect(Vertical() ? chart.ChartWidth : chart.ChartHeight);
}

std::int32_t TChartLegend::FrameWidth() const
{
    return Frame().Visible() ? Frame().Width() : 0;
}

void TChartLegend::DrawBox()
{
    TChartCanvas& canvas = ParentChart()->Canvas();
    const TRect& r = RectLegend;
    const std::int32_t frameWidth = FrameWidth();
    canvas.Brush = {Color(), bsSolid};
    if (Frame().Visible()) {
        canvas.AssignPen(Frame());
        if (canvas.Pen.Color == clChartDefault)
            canvas.Pen.Color = clBlack;
    } else {
        canvas.Pen.Style = psClear;
    }
    canvas.Rectangle(r.Left - frameWidth, r.Top - frameWidth, r.Right + frameWidth, r.Bottom + frameWidth);
    const std::int32_t s = FShadowSize;
    if (s <= 0)
        return;
    // Where the frame's last pixel lies: wide pens grow about their centre line.
    const std::int32_t adj = frameWidth == 0       ? -1
                             : frameWidth % 2 != 0 ? frameWidth + frameWidth / 2
                                                   : frameWidth + frameWidth / 2 - 1;
    canvas.Brush = {FShadowColor, bsSolid};
    canvas.FillRect({r.Left + s, r.Bottom + adj, r.Right + adj + s, r.Bottom + adj + s});
    canvas.FillRect({r.Right + adj, r.Top + s, r.Right + adj + s, r.Bottom + adj + s});
}

void TChartLegend::DrawLegendItem(std::int32_t n, std::int32_t position)
{
    if (position >= TotalLegendItems())
        return;
    TCustomAxisPanel& chart = *ParentChart();
    TChartCanvas& canvas = chart.Canvas();
    std::int32_t x = FTextX;
    std::int32_t y = RectLegend.Top + 1;
    if (Vertical())
        y += FItemHeight * position;
    else
        x += FItemWidth * position;
    std::int32_t symbolX = x - 4 - ColorWidthPixels;
    if (chart.OnGetLegendPos)
        chart.OnGetLegendPos(chart, n, x, y, symbolX);

    canvas.Brush.Style = bsClear;
    canvas.BackMode = bmTransparent;
    chart.TextOut(x, y, chart.GetLegendText(n));
    const TRect symbol = {symbolX, y + 2, symbolX + ColorWidthPixels, y + FItemHeight - 2};
    if (InternalLegendStyle == lsValues) {
        if (TChartSeries* series = chart.SeriesForLegendIndex(0))
            series->DrawLegend(n, symbol);
    } else if (TChartSeries* series = chart.SeriesForLegendIndex(n)) {
        series->DrawLegend(-1, symbol);
    }
    if (position > 0 && FDividingLines.Visible()) {
        canvas.AssignPen(FDividingLines);
        canvas.BackMode = bmTransparent;
        if (Vertical())
            canvas.HorizLine(RectLegend.Left, RectLegend.Right, y - 1);
        else
            canvas.VertLine(symbolX - 4, RectLegend.Top, RectLegend.Bottom);
    }
}

void TChartLegend::ResizeChartRect(std::int32_t chartExtent)
{
    TCustomAxisPanel& chart = *ParentChart();
    TRect& cr = chart.ChartRect;
    const TRect& box = RectLegend;
    const std::int32_t outside = FrameWidth() + FShadowSize;
    const std::int32_t margin = Vertical() ? HorizMargin() : VertMargin();
    // The gap is kept whenever the legend is drawn, resizing or not.
    const std::int32_t gap = margin != 0 ? margin : MulDiv(3, chartExtent, 100);
    switch (Alignment()) {
    case laBottom:
        if (ResizeChart())
            cr.Bottom = box.Top;
        cr.Bottom -= gap;
        break;
    case laTop:
        if (ResizeChart())
            cr.Top = box.Bottom + outside;
        cr.Top += gap;
        break;
    case laRight:
        if (ResizeChart())
            cr.Right = box.Left - FrameWidth();
        cr.Right -= gap;
        break;
    case laLeft:
        if (ResizeChart())
            cr.Left = box.Right + outside;
        cr.Left += gap;
        break;
    }
    chart.RecalcWidthHeight();
}

bool TChartLegend::Clicked(std::int32_t x, std::int32_t y) const
{
    const TRect& r = RectLegend;
    return Visible() && FItems > 0 && ParentChart()->CountActiveSeries() > 0 && x >= r.Left && x < r.Right &&
           y >= r.Top && y < r.Bottom;
}
