#include "chart/ChartEngine/ChartSeriesList.h"

#include <algorithm>

std::int32_t TChartSeriesList::IndexOf(const TChartSeries* series) const
{
    const auto it = std::find(FItems.begin(), FItems.end(), series);
    return it == FItems.end() ? -1 : static_cast<std::int32_t>(it - FItems.begin());
}

void TChartSeriesList::Add(TChartSeries* series)
{
    if (IndexOf(series) < 0)
        FItems.push_back(series);
}

void TChartSeriesList::Remove(const TChartSeries* series)
{
    const auto it = std::find(FItems.begin(), FItems.end(), series);
    if (it != FItems.end())
        FItems.erase(it);
}
