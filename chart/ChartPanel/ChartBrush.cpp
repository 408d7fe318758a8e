#include "chart/ChartPanel/ChartBrush.h"

void TChartBrush::Changed()
{
    if (OnChange)
        OnChange();
}

void TChartBrush::SetColor(TColor value)
{
    if (value != FColor) {
        FColor = value;
        Changed();
    }
}

void TChartBrush::SetStyle(TBrushStyle value)
{
    if (value != FStyle) {
        FStyle = value;
        Changed();
    }
}

void TChartBrush::Assign(const TChartBrush& source)
{
    if (FColor == source.FColor && FStyle == source.FStyle)
        return;
    FColor = source.FColor;
    FStyle = source.FStyle;
    Changed();
}
