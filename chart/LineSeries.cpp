#include "chart/LineSeries.h"

#include <algorithm>

TCustomSeries::TCustomSeries() : FPointer([this] { CanvasChanged(); })
{
    FAreaLinesPen.OnChange = [this] { CanvasChanged(); };
    FLinePen.OnChange = [this] { CanvasChanged(); };
}

void TCustomSeries::SetStairs(bool value) { SetAndRepaint(FStairs, value); }
void TCustomSeries::SetInvertedStairs(bool value) { SetAndRepaint(FInvertedStairs, value); }
void TCustomSeries::SetDrawLine(bool value) { SetAndRepaint(FDrawLine, value); }
void TCustomSeries::SetDrawArea(bool value) { SetAndRepaint(FDrawArea, value); }
void TCustomSeries::SetAreaColor(TColor value) { SetAndRepaint(FAreaColor, value); }
void TCustomSeries::SetLineBrush(TBrushStyle value) { SetAndRepaint(FLineBrush, value); }
void TCustomSeries::SetAreaBrush(TBrushStyle value) { SetAndRepaint(FAreaBrush, value); }

void TCustomSeries::CalcHorizMargins(std::int32_t& leftMargin, std::int32_t& rightMargin)
{
    TChartSeries::CalcHorizMargins(leftMargin, rightMargin);
    if (FPointer.Visible() && FPointer.InflateMargins()) {
        leftMargin = std::max(leftMargin, FPointer.HorizSize() + 1);
        rightMargin = std::max(rightMargin, FPointer.HorizSize() + 1);
    }
}

void TCustomSeries::CalcVerticalMargins(std::int32_t& topMargin, std::int32_t& bottomMargin)
{
    TChartSeries::CalcVerticalMargins(topMargin, bottomMargin);
    if (FPointer.Visible() && FPointer.InflateMargins()) {
        topMargin = std::max(topMargin, FPointer.VertSize() + 1);
        bottomMargin = std::max(bottomMargin, FPointer.VertSize() + 1);
    }
}

TLineSeries::TLineSeries()
{
    SetDrawLineDefault(true);
    Pointer().SetVisible(false);
}
