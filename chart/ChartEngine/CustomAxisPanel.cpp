#include "chart/ChartEngine/CustomAxisPanel.h"

#include "chart/ChartEngine/ChartAxis.h"
#include "chart/ChartEngine/ChartException.h"
#include "chart/ChartEngine/ChartSeries.h"
#include "chart/ChartEngine/CustomChartLegend.h"

#include <algorithm>

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
