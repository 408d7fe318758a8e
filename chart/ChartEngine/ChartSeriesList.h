#pragma once
// The chart's series in joining order; references only, the windows own the series.
#include <cstdint>
#include <vector>

class TChartSeries;

class TChartSeriesList {
public:
    std::int32_t Count() const { return static_cast<std::int32_t>(FItems.size()); }
    TChartSeries* operator[](std::int32_t index) const { return FItems[static_cast<std::size_t>(index)]; }
    std::int32_t IndexOf(const TChartSeries* series) const;
    void Add(TChartSeries* series);
    void Remove(const TChartSeries* series);

    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

private:
    std::vector<TChartSeries*> FItems;
};
