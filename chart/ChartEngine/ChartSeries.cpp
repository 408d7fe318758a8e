#include "chart/ChartEngine/ChartSeries.h"

#include "chart/ChartEngine/ChartAxis.h"
#include "chart/ChartEngine/ChartException.h"
#include "chart/ChartEngine/CustomAxisPanel.h"

#include <array>

TColor GetDefaultColor(std::int32_t index)
{
    static constexpr std::array<TColor, 15> kPalette = {
        clRed,    0x008000, clYellow, clBlue,   clWhite,  clGray,   0xFF00FF, 0x808000,
        0x800000, clMaroon, 0x00FF00, 0x008080, 0x800080, clSilver, clAqua,
    };
    return kPalette[static_cast<std::size_t>(index) % kPalette.size()];
}

TChartSeries::TChartSeries() : FXValues(this, "X"), FYValues(this, "Y")
{
    FXValues.Order = loAscending;
    FMarks.OnChange = [this] { Repaint(); };
}

TChartSeries::~TChartSeries()
{
    SetParentChart(nullptr);
}

TColor TChartSeries::ValueColor(std::int32_t index) const
{
    if (index < FColors.Count()) {
        const TColor c = FColors.At(index);
        if (c != clChartDefault)
            return c;
        return FColorEachPoint ? GetDefaultColor(index) : FSeriesColor;
    }
    return FSeriesColor;
}

const std::optional<std::string>& TChartSeries::Label(std::int32_t index) const
{
    if (index < 0 || index >= FLabels.Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FLabels.At(index);
}

std::int32_t TChartSeries::Add(double value, const std::string& label, TColor color)
{
    const double count = Count();
    if (&MandatoryValueList() == &FYValues)
        return AddXY(count, value, label, color);
    return AddXY(value, count, label, color);
}

std::int32_t TChartSeries::AddXY(double x, double y, const std::string& label, TColor color)
{
    FXValues.TempValue = x;
    FYValues.TempValue = y;
    if (OnBeforeAdd && !OnBeforeAdd(*this))
        return -1;
    const std::int32_t index = FXValues.AddChartValue(x);
    FYValues.InsertChartValue(index, y);
    FColors.Insert(index, color);
    FLabels.Insert(index, label);
    AddedValue(index);
    return index;
}

std::int32_t TChartSeries::AddNull(const std::string& label)
{
    return Add(0, label, clNone);
}

void TChartSeries::AddedValue(std::int32_t index)
{
    if (OnAfterAdd)
        OnAfterAdd(*this, index);
    if (FActive)
        Repaint();
}

void TChartSeries::ClearValues()
{
    for (TChartValueList* list : FValueLists)
        list->Clear();
    FColors.Clear();
    FLabels.Clear();
}

void TChartSeries::Clear()
{
    ClearValues();
    if (OnClearValues)
        OnClearValues(*this);
    if (FParentChart != nullptr)
        Repaint();
}

void TChartSeries::Repaint()
{
    if (FParentChart != nullptr)
        FParentChart->Invalidate();
}

void TChartSeries::SetParentChart(TCustomAxisPanel* chart)
{
    if (chart == FParentChart)
        return;
    TCustomAxisPanel* old = FParentChart;
    FParentChart = chart;
    if (old != nullptr)
        old->RemoveSeries(this);
    if (chart != nullptr)
        chart->AddSeries(this);
}

void TChartSeries::SetSeriesColor(TColor value)
{
    SetAndRepaint(FSeriesColor, value, [this] { Repaint(); });
}
void TChartSeries::SetColorEachPoint(bool value)
{
    SetAndRepaint(FColorEachPoint, value, [this] { Repaint(); });
}
void TChartSeries::SetTitle(const std::string& value)
{
    SetAndRepaint(FTitle, value, [this] { Repaint(); });
}
void TChartSeries::SetValueFormat(const std::string& value)
{
    SetAndRepaint(FValueFormat, value, [this] { Repaint(); });
}
void TChartSeries::SetPercentFormat(const std::string& value)
{
    SetAndRepaint(FPercentFormat, value, [this] { Repaint(); });
}
void TChartSeries::SetActive(bool value)
{
    SetAndRepaint(FActive, value, [this] { Repaint(); });
}
void TChartSeries::SetHorizAxis(THorizAxis value)
{
    SetAndRepaint(FHorizAxis, value, [this] { Repaint(); });
}
void TChartSeries::SetVertAxis(TVertAxis value)
{
    SetAndRepaint(FVertAxis, value, [this] { Repaint(); });
}
void TChartSeries::SetShowInLegend(bool value)
{
    SetAndRepaint(FShowInLegend, value, [this] { Repaint(); });
}

TChartAxis* TChartSeries::GetHorizAxis() const
{
    if (FParentChart == nullptr)
        return nullptr;
    return FHorizAxis == aTopAxis ? FParentChart->TopAxis() : FParentChart->BottomAxis();
}

TChartAxis* TChartSeries::GetVertAxis() const
{
    if (FParentChart == nullptr)
        return nullptr;
    return FVertAxis == aLeftAxis ? FParentChart->LeftAxis() : FParentChart->RightAxis();
}

void TChartSeries::CalcZOrder()
{
    if (FParentChart->View3D())
        ZOrder = ++FParentChart->MaxZOrder;
    else
        ZOrder = 0;
}

std::int32_t TChartSeries::CalcXPosValue(double value) const
{
    std::int32_t x = GetHorizAxis()->ValueToPixel(value);
    if (FParentChart->View3D())
        x += ZOrder * FParentChart->SeriesWidth3D;
    return x;
}

std::int32_t TChartSeries::CalcYPosValue(double value) const
{
    std::int32_t y = GetVertAxis()->ValueToPixel(value);
    if (FParentChart->View3D())
        y -= ZOrder * FParentChart->SeriesHeight3D;
    return y;
}

std::pair<double, double> TChartSeries::VisibleXRange() const
{
    const TChartAxis* axis = GetHorizAxis();
    const TRect& r = FParentChart->ChartRect;
    return {axis->PixelToValue(axis->Inverted() ? r.Right : r.Left),
            axis->PixelToValue(axis->Inverted() ? r.Left : r.Right)};
}

void TChartSeries::CalcFirstLastVisibleIndex()
{
    if (!FXValues.Ascending()) {
        ScanFirstLastVisibleIndex();
        return;
    }
    FirstValueIndex = LastValueIndex = -1;
    if (Count() == 0)
        return;
    const auto [lo, hi] = VisibleXRange();
    // The points the walk finds: the first at or right of lo, and the first at or beyond hi
    // unless every point lies before it.
    const auto firstNotBelow = [this](std::int32_t from, double v) {
        std::int32_t count = Count() - from;
        while (count > 0) {
            const std::int32_t half = count / 2;
            if (XValue(from + half) < v) {
                from += half + 1;
                count -= half + 1;
            } else {
                count = half;
            }
        }
        return from;
    };
    const std::int32_t first = firstNotBelow(0, lo);
    if (first == Count())
        return;
    FirstValueIndex = first;
    LastValueIndex = XValue(Count() - 1) <= hi ? Count() - 1 : firstNotBelow(first, hi);
}

void TChartSeries::ScanFirstLastVisibleIndex()
{
    FirstValueIndex = LastValueIndex = -1;
    if (Count() == 0)
        return;
    const auto [lo, hi] = VisibleXRange();
    std::int32_t first = 0;
    while (XValue(first) < lo) {
        if (++first >= Count())
            return;
    }
    std::int32_t last;
    if (XValue(Count() - 1) <= hi) {
        last = Count() - 1;
    } else {
        // The first point at or beyond the right edge stays, so its segment is drawn and clipped.
        last = first;
        while (last < Count() - 1 && XValue(last) < hi)
            ++last;
    }
    FirstValueIndex = first;
    LastValueIndex = last;
}

void TChartSeries::DrawAllValues()
{
    for (std::int32_t i = FirstValueIndex; i <= LastValueIndex; ++i)
        DrawValue(i);
}

// The base series has no points of its own to draw; every concrete kind overrides this.
void TChartSeries::DrawValue(std::int32_t)
{
}

void TChartSeries::CalcHorizMargins(std::int32_t& leftMargin, std::int32_t& rightMargin)
{
    leftMargin = rightMargin = 0;
}

void TChartSeries::CalcVerticalMargins(std::int32_t& topMargin, std::int32_t& bottomMargin)
{
    topMargin = bottomMargin = 0;
}

void TChartSeries::DrawLegend(std::int32_t, const TRect&)
{
}

std::int32_t TChartSeries::Clicked(std::int32_t, std::int32_t)
{
    return -1;
}
