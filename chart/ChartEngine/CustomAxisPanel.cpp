#include "chart/ChartEngine/CustomAxisPanel.h"

#include "chart/ChartEngine/ChartAxis.h"
#include "chart/ChartEngine/ChartException.h"
#include "chart/ChartEngine/ChartSeries.h"
#include "chart/ChartEngine/CustomChartLegend.h"

#include <algorithm>
#include <array>
#include <cmath>

TCustomAxisPanel::TCustomAxisPanel()
    : FLegend(std::make_unique<TCustomChartLegend>(this)), FTopAxis(std::make_unique<TChartAxis>(*this, true, true)),
      FBottomAxis(std::make_unique<TChartAxis>(*this, true, false)),
      FLeftAxis(std::make_unique<TChartAxis>(*this, false, false)),
      FRightAxis(std::make_unique<TChartAxis>(*this, false, true))
{
    FFrame.OnChange = [this] { PartChanged(); };
}

TCustomAxisPanel::~TCustomAxisPanel()
{
    OnInvalidate = nullptr;
    while (FSeriesList.Count() > 0)
        FSeriesList[FSeriesList.Count() - 1]->SetParentChart(nullptr);
}

void TCustomAxisPanel::SetLegend(std::unique_ptr<TCustomChartLegend> legend)
{
    FLegend = std::move(legend);
}

void TCustomAxisPanel::AddSeries(TChartSeries* series)
{
    if (series->ParentChart() != this) {
        series->SetParentChart(this);  // comes back here
        return;
    }
    if (FSeriesList.IndexOf(series) >= 0)
        return;
    if (series->SeriesColor() == clChartDefault) {
        std::int32_t index = 0;
        const auto taken = [this](TColor c) {
            return std::any_of(FSeriesList.begin(), FSeriesList.end(),
                               [c](const TChartSeries* s) { return s->SeriesColor() == c; });
        };
        while (taken(GetDefaultColor(index)) && index < 256)
            ++index;
        series->SetSeriesColor(GetDefaultColor(index));
    }
    FSeriesList.Add(series);
    Invalidate();
}

void TCustomAxisPanel::RemoveSeries(TChartSeries* series)
{
    if (series->ParentChart() == this) {
        series->SetParentChart(nullptr);  // comes back here
        return;
    }
    FSeriesList.Remove(series);
    Invalidate();
}

std::int32_t TCustomAxisPanel::CountActiveSeries() const
{
    return static_cast<std::int32_t>(
        std::count_if(FSeriesList.begin(), FSeriesList.end(), [](const TChartSeries* s) { return s->Active(); }));
}

void TCustomAxisPanel::SetBackColor(TColor value)
{
    SetAndRepaint(FBackColor, value, [this] { Invalidate(); });
}
void TCustomAxisPanel::SetView3D(bool value)
{
    SetAndRepaint(FView3D, value, [this] { Invalidate(); });
}
void TCustomAxisPanel::SetView3DWalls(bool value)
{
    SetAndRepaint(FView3DWalls, value, [this] { Invalidate(); });
}
void TCustomAxisPanel::SetClipPoints(bool value)
{
    SetAndRepaint(FClipPoints, value, [this] { Invalidate(); });
}
void TCustomAxisPanel::SetAxisVisible(bool value)
{
    SetAndRepaint(FAxisVisible, value, [this] { Invalidate(); });
}

void TCustomAxisPanel::SetChart3DPercent(std::int32_t value)
{
    if (value < 1 || value > 100)
        throw ChartException("3D effect percent must be between 1 and 100");
    SetAndRepaint(FChart3DPercent, value, [this] { Invalidate(); });
}

void TCustomAxisPanel::SetMonochrome(bool value)
{
    SetMonochromeImage(value);
    SetAndRepaint(FMonochrome, value, [this] { Invalidate(); });
}

TChartSeries* TCustomAxisPanel::SeriesForLegendIndex(std::int32_t n) const
{
    for (TChartSeries* s : FSeriesList) {
        if (s->Active() && s->ShowInLegend() && n-- == 0)
            return s;
    }
    return nullptr;
}

std::string TCustomAxisPanel::GetLegendText(std::int32_t n)
{
    const TLegendStyle style = FLegend->InternalLegendStyle;
    std::string text = "?";
    if (style == lsValues) {
        const TChartSeries* s = SeriesForLegendIndex(0);
        if (s != nullptr && n >= 0 && n < s->Count())
            text = FLegend->ValueText(*s, n);
    } else if (const TChartSeries* s = SeriesForLegendIndex(n)) {
        if (style == lsLastValues && s->Count() > 0)
            text = FLegend->ValueText(*s, s->Count() - 1);
        else if (!s->Title().empty())
            text = s->Title();
        else if (!s->Name.empty())
            text = s->Name;
        else
            text = "Series " + std::to_string(n);
    }
    if (OnGetLegendText)
        OnGetLegendText(*this, style, n, text);
    return text;
}

double TCustomAxisPanel::SeriesMinMax(const TChartAxis* axis, bool isMin, bool isX) const
{
    double result = 0.0;
    bool first = true;
    for (const TChartSeries* s : FSeriesList) {
        if (!s->Active() || s->Count() == 0)
            continue;
        if ((isX ? s->GetHorizAxis() : s->GetVertAxis()) != axis)
            continue;
        const TChartValueList& list = isX ? s->XValues() : s->YValues();
        const double v = isMin ? list.MinValue() : list.MaxValue();
        if (first || (isMin && v < result) || (!isMin && v > result)) {
            result = v;
            first = false;
        }
    }
    return result;
}

TChartSeries* TCustomAxisPanel::AxisSeries(const TChartAxis* axis) const
{
    for (TChartSeries* s : FSeriesList) {
        if (s->Active() && (s->GetHorizAxis() == axis || s->GetVertAxis() == axis))
            return s;
    }
    return nullptr;
}

bool TCustomAxisPanel::IsAxisVisible(const TChartAxis* axis) const
{
    if (!FAxisVisible || !axis->Visible())
        return false;
    // Shown when the first active series on its direction uses it; with no active series, always.
    bool result = true;
    for (const TChartSeries* s : FSeriesList) {
        if (!s->Active())
            continue;
        result = (axis->IsHorizontal ? s->GetHorizAxis() : s->GetVertAxis()) == axis;
        if (result)
            break;
    }
    return result;
}

std::int32_t TCustomAxisPanel::WallSize(const TChartAxis*) const
{
    return 0;
}

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

void TCustomAxisPanel::FillPanelRect(const TRect& r)
{
    TChartCanvas& canvas = Canvas();
    canvas.Brush = {Color(), bsSolid};
    canvas.FillRect(r);
}

namespace {

// One bevel: `width` rings, top and left edges in `topLeft`, bottom and right in `bottomRight`.
void Frame3D(TChartCanvas& canvas, TRect& r, TColor topLeft, TColor bottomRight, std::int32_t width)
{
    for (std::int32_t i = 0; i < width; ++i) {
        canvas.Pen.Color = topLeft;
        canvas.HorizLine(r.Left, r.Right - 1, r.Top);
        canvas.VertLine(r.Left, r.Top, r.Bottom - 1);
        canvas.Pen.Color = bottomRight;
        canvas.HorizLine(r.Left, r.Right, r.Bottom - 1);
        canvas.VertLine(r.Right - 1, r.Top, r.Bottom - 1);
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
}

void Bevel(TChartCanvas& canvas, TRect& r, TPanelBevel bevel, std::int32_t width)
{
    if (bevel == bvLowered)
        Frame3D(canvas, r, clBtnShadow, clBtnHighlight, width);
    else if (bevel == bvRaised)
        Frame3D(canvas, r, clBtnHighlight, clBtnShadow, width);
}

}  // namespace

void TCustomAxisPanel::DrawPanel(const TRect& r)
{
    FillPanelRect(r);
    TChartCanvas& canvas = Canvas();
    canvas.Pen = {canvas.Pen.Color, 1, psSolid, pmCopy};
    canvas.Brush.Style = bsClear;
    TRect work = r;
    Bevel(canvas, work, BevelOuter(), BevelWidth());
    Frame3D(canvas, work, Color(), Color(), BorderWidth());
    Bevel(canvas, work, BevelInner(), BevelWidth());
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
