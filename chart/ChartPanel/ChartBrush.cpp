#include "chart/ChartPanel/ChartBrush.h"

void TChartBrush::Changed()
{
    if (OnChange)
        OnChange();
}

void TChartBrush::SetColor(TColor value)
{
    SetAndRepaint(FColor, value, OnChange);
}

void TChartBrush::SetStyle(TBrushStyle value)
{
    SetAndRepaint(FStyle, value, OnChange);
}

void TChartBrush::Assign(const TChartBrush& source)
{
    if (FColor == source.FColor && FStyle == source.FStyle)
        return;
    FColor = source.FColor;
    FStyle = source.FStyle;
    Changed();
}
