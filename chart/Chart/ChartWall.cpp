#include "chart/Chart/ChartWall.h"

#include "chart/ChartEngine/CustomAxisPanel.h"

TChartWall::TChartWall(TCustomAxisPanel* chart, TColor color) : FColor(color), FChart(chart)
{
    FPen.OnChange = [this] { Changed(); };
    FBrush.OnChange = [this] { Changed(); };
}

void TChartWall::Changed()
{
    if (FChart != nullptr)
        FChart->PartChanged();
}

void TChartWall::SetColor(TColor value)
{
    SetAndRepaint(FColor, value, [this] { Changed(); });
}

void TChartWall::SetSize(std::int32_t value)
{
    SetAndRepaint(FSize, value, [this] { Changed(); });
}
