#include "chart/ChartFontObject.h"

#include "chart/AxisPanel.h"

TChartFontObject::TChartFontObject(TCustomAxisPanel* chart) : FParentChart(chart)
{
    FFont.OnChange = [this] { Repaint(); };
}

void TChartFontObject::Repaint()
{
    if (FParentChart != nullptr)
        FParentChart->PartChanged();
}
