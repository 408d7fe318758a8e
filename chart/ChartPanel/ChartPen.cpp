#include "chart/ChartPanel/ChartPen.h"

void TChartPen::Changed()
{
    if (OnChange)
        OnChange();
}

void TChartPen::SetColor(TColor value)
{
    SetAndRepaint(FColor, value, OnChange);
}

void TChartPen::SetWidth(std::int32_t value)
{
    SetAndRepaint(FWidth, value, OnChange);
}

void TChartPen::SetStyle(TPenStyle value)
{
    SetAndRepaint(FStyle, value, OnChange);
}

void TChartPen::SetMode(TPenMode value)
{
    SetAndRepaint(FMode, value, OnChange);
}

void TChartPen::SetVisible(bool value)
{
    SetAndRepaint(FVisible, value, OnChange);
}

void TChartPen::Assign(const TChartPen& source)
{
    if (FColor == source.FColor && FWidth == source.FWidth && FStyle == source.FStyle && FMode == source.FMode &&
        FVisible == source.FVisible)
        return;
    FColor = source.FColor;
    FWidth = source.FWidth;
    FStyle = source.FStyle;
    FMode = source.FMode;
    FVisible = source.FVisible;
    Changed();
}
