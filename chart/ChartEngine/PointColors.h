#pragma once
// The colours a series' points were added with, and the runs of equal ones. While every
// point has the same colour only that colour and the count are kept; the first point of
// another colour spreads them out, one per point.
#include "chart/ChartPanel/ChartTypes.h"

#include <cstdint>
#include <vector>

class TPointColors {
public:
    std::int32_t Count() const { return FCount; }
    // The colour stored for point index (0 <= index < Count).
    TColor At(std::int32_t index) const
    {
        return FColors.empty() ? FUniform : FColors[static_cast<std::size_t>(index)];
    }
    // First index of the run of points up to index that were stored with the same colour.
    std::int32_t RunStart(std::int32_t index) const
    {
        return FRuns.empty() ? 0 : FRuns[static_cast<std::size_t>(index)];
    }
    void Insert(std::int32_t index, TColor color);
    void Clear();

private:
    void SpreadOut();

    std::int32_t FCount = 0;
    TColor FUniform = 0;
    // Empty while every point has FUniform.
    std::vector<TColor> FColors;
    std::vector<std::int32_t> FRuns;
};
