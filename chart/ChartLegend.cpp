#include "chart/ChartLegend.h"

#include "chart/AxisPanel.h"

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
    Set(FColorWidth, value);
}

void TCustomChartLegend::SetTopPos(std::int32_t value)
{
    if (value < 0 || value > 100)
        throw LegendException("Top Legend Position must be between 0 and 100 %");
    Set(FTopPos, value);
}

void TCustomChartLegend::SetFirstValue(std::int32_t value)
{
    if (value < 0)
        throw LegendException("First Legend Value must be > 0");
    Set(FFirstValue, value);
}

void TCustomChartLegend::CalcLegendStyle()
{
    InternalLegendStyle = FLegendStyle;
    if (InternalLegendStyle == lsAuto) {
        const TCustomAxisPanel* chart = ParentChart();
        InternalLegendStyle = chart != nullptr && chart->CountActiveSeries() > 1 ? lsSeries : lsValues;
    }
}

// The settings class has no layout of its own; the chart's legend class draws.
void TCustomChartLegend::DrawLegend() {}
