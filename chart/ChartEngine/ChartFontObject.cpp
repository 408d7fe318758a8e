#include "chart/ChartEngine/ChartFontObject.h"

#include "chart/ChartEngine/CustomAxisPanel.h"

TChartFontObject::TChartFontObject(TCustomAxisPanel* chart) : FParentChart(chart)
{
    FFont.OnChange = [this] { Repaint(); };
}

void TChartFontObject::Repaint()
{
    if (FParentChart != nullptr)
        FParentChart->PartChanged();
}
