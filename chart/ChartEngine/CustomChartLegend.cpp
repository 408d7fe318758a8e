#include "chart/ChartEngine/CustomChartLegend.h"

#include "app/FormatSettings.h"
#include "chart/ChartEngine/AxisLabelText.h"
#include "chart/ChartEngine/ChartSeries.h"
#include "chart/ChartEngine/CustomAxisPanel.h"

#include <algorithm>

TCustomChartLegend::TCustomChartLegend(TCustomAxisPanel* chart) : TChartFontObject(chart)
{
    FFrame.OnChange = [this] { Repaint(); };
}

void TCustomChartLegend::SetLegendStyle(TLegendStyle value)
{
    if (value != FLegendStyle) {
        FLegendStyle = value;
        CalcLegendStyle();
        Repaint();
    }
}

void TCustomChartLegend::SetColorWidth(std::int32_t value)
{
    if (value < 0 || value > 100)
        throw LegendException("Legend Color Width must be between 0 and 100 %");
    SetAndRepaint(FColorWidth, value, [this] { Repaint(); });
}

void TCustomChartLegend::SetTopPos(std::int32_t value)
{
    if (value < 0 || value > 100)
        throw LegendException("Top Legend Position must be between 0 and 100 %");
    SetAndRepaint(FTopPos, value, [this] { Repaint(); });
}

void TCustomChartLegend::SetFirstValue(std::int32_t value)
{
    if (value < 0)
        throw LegendException("First Legend Value must be > 0");
    SetAndRepaint(FFirstValue, value, [this] { Repaint(); });
}

void TCustomChartLegend::CalcLegendStyle()
{
    InternalLegendStyle = FLegendStyle;
    if (InternalLegendStyle == lsAuto) {
        const TCustomAxisPanel* chart = ParentChart();
        InternalLegendStyle = chart != nullptr && chart->CountActiveSeries() > 1 ? lsSeries : lsValues;
    }
}

void TCustomChartLegend::Assign(const TChartFontObject& source)
{
    const auto* other = dynamic_cast<const TCustomChartLegend*>(&source);
    if (other != nullptr) {
        FVisible = other->FVisible;
        FLegendStyle = other->FLegendStyle;
        FFirstValue = other->FFirstValue;
        FAlignment = other->FAlignment;
        FTextStyle = other->FTextStyle;
        FColorWidth = other->FColorWidth;
        FHorizMargin = other->FHorizMargin;
        FVertMargin = other->FVertMargin;
        FResizeChart = other->FResizeChart;
        FInverted = other->FInverted;
        FTopPos = other->FTopPos;
        FColor = other->FColor;
        FFrame.Assign(other->FFrame);
    }
    TChartFontObject::Assign(source);
}

std::int32_t TCustomChartLegend::TotalLegendItems() const
{
    const TCustomAxisPanel* chart = ParentChart();
    if (chart == nullptr)
        return 0;
    std::int32_t count = 0;
    if (InternalLegendStyle == lsValues) {
        const TChartSeries* first = chart->SeriesForLegendIndex(0);
        count = first != nullptr ? first->Count() : 0;
    } else {
        for (const TChartSeries* s : chart->SeriesList())
            count += s->Active() && s->ShowInLegend() ? 1 : 0;
    }
    return std::max(count - FFirstValue, 0);
}

std::string TCustomChartLegend::ValueText(const TChartSeries& series, std::int32_t index) const
{
    const auto format = [](double v, const std::string& pattern) {
        return FormatAxisValue(v, pattern, DecimalSeparator, ThousandSeparator);
    };
    std::string label = series.Label(index).value_or("");  // not const: returned by move
    const double value = series.YValue(index);
    const auto join = [](const std::string& a, const std::string& b) {
        return a.empty() ? b : b.empty() ? a : a + " " + b;
    };
    const auto percent = [&] {
        const double total = series.YValues().Total();
        // The pattern's own characters carry no '%'; the sign is added after the number.
        return format(total != 0 ? value * 100.0 / total : 0.0, series.PercentFormat()) + " %";
    };
    switch (FTextStyle) {
    case ltsPlain: return label.empty() ? format(value, series.ValueFormat()) : label;
    case ltsLeftValue: return join(format(value, series.ValueFormat()), label);
    case ltsRightValue: return join(label, format(value, series.ValueFormat()));
    case ltsLeftPercent: return join(percent(), label);
    case ltsRightPercent: return join(label, percent());
    case ltsXValue: return format(series.XValue(index), series.ValueFormat());
    }
    return label;
}

// The settings class has no layout of its own; the chart's legend class draws.
void TCustomChartLegend::DrawLegend()
{
}

bool TCustomChartLegend::Clicked(std::int32_t, std::int32_t) const
{
    return false;
}
