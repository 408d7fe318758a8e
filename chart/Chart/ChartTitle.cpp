#include "chart/Chart/ChartTitle.h"

TChartTitle::TChartTitle(TCustomAxisPanel* chart) : TChartFontObject(chart)
{
    Font().SetColor(clBlue);
    FFrame.OnChange = [this] { Repaint(); };
    FBrush.OnChange = [this] { Repaint(); };
}

void TChartTitle::SetText(std::vector<std::string> lines)
{
    FText = std::move(lines);
    Repaint();
}
