#include "chart/ChartPanel/ChartPen.h"

void TChartPen::Changed()
{
    if (OnChange)
        OnChange();
}

void TChartPen::SetColor(TColor value)
{
    if (value != FColor) {
        FColor = value;
        Changed();
    }
}

void TChartPen::SetWidth(std::int32_t value)
{
    if (value != FWidth) {
        FWidth = value;
        Changed();
    }
}

void TChartPen::SetStyle(TPenStyle value)
{
    if (value != FStyle) {
        FStyle = value;
        Changed();
    }
}

void TChartPen::SetMode(TPenMode value)
{
    if (value != FMode) {
        FMode = value;
        Changed();
    }
}

void TChartPen::SetVisible(bool value)
{
    if (value != FVisible) {
        FVisible = value;
        Changed();
    }
}

void TChartPen::Assign(const TChartPen& source)
{
    if (FColor == source.FColor && FWidth == source.FWidth && FStyle == source.FStyle &&
        FMode == source.FMode && FVisible == source.FVisible)
        return;
    FColor = source.FColor;
    FWidth = source.FWidth;
    FStyle = source.FStyle;
    FMode = source.FMode;
    FVisible = source.FVisible;
    Changed();
}
