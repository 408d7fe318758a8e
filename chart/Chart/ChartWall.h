#pragma once
// Left or bottom wall of the three-dimensional box.
#include "chart/ChartPanel/ChartBrush.h"
#include "chart/ChartPanel/ChartPen.h"
#include "chart/ChartPanel/ChartTypes.h"

#include <cstdint>

class TCustomAxisPanel;

class TChartWall {
public:
    TChartWall(TCustomAxisPanel* chart, TColor color);

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TChartPen& Pen() { return FPen; }
    // The toolkit's brush: solid white.
    TChartBrush& Brush() { return FBrush; }
    std::int32_t Size() const { return FSize; }
    void SetSize(std::int32_t value);

private:
    void Changed();

    TColor FColor;
    TChartPen FPen;
    TChartBrush FBrush{clWhite};
    std::int32_t FSize = 0;
    TCustomAxisPanel* FChart;
};
