#pragma once
// Brushes owned by chart parts. Every effective change calls OnChange, which the owner routes
// to the chart's PartChanged.
#include "chart/ChartPanel/ChartTypes.h"

#include <functional>

// Starts without a colour of its own, i.e. transparent.
class TChartBrush {
public:
    explicit TChartBrush(TColor color = clChartDefault) : FColor(color) {}

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);

    void Assign(const TChartBrush& source);

    std::function<void()> OnChange;

private:
    void Changed();

    TColor FColor;
    TBrushStyle FStyle = bsSolid;
};
