#include "chart/ChartEngine/ValueBlocks.h"

#include <algorithm>
#include <cmath>

void TValueBlocks::TBlock::Add(double v)
{
    NaN = NaN || std::isnan(v);
    Low = std::min(Low, v);
    High = std::max(High, v);
}

void TValueBlocks::TBlock::Add(const TBlock& other)
{
    NaN = NaN || other.NaN;
    Low = std::min(Low, other.Low);
    High = std::max(High, other.High);
}

void TValueBlocks::Append(const std::vector<double>& values)
{
    Include(values, static_cast<std::int32_t>(values.size()) - 1);
}

void TValueBlocks::Include(const std::vector<double>& values, std::int32_t index)
{
    const double v = values[static_cast<std::size_t>(index)];
    if (index % kFine == 0)
        FFine.emplace_back();
    FFine.back().Add(v);
    if (index % kCoarse == 0)
        FCoarse.emplace_back();
    FCoarse.back().Add(v);
    if (index == 0 ? std::isnan(v) : !(v >= values[static_cast<std::size_t>(index - 1)]))
        ++FDescents;
}

void TValueBlocks::Rebuild(const std::vector<double>& values)
{
    Clear();
    for (std::size_t i = 0; i < values.size(); ++i)
        Include(values, static_cast<std::int32_t>(i));
}

void TValueBlocks::Clear()
{
    FFine.clear();
    FCoarse.clear();
    FDescents = 0;
}

bool TValueBlocks::MinMax(const std::vector<double>& values, std::int32_t first, std::int32_t last, double& low,
                          double& high) const
{
    TBlock range;
    std::int32_t i = first;
    while (i <= last) {
        if (i % kCoarse == 0 && i + kCoarse - 1 <= last) {
            range.Add(FCoarse[static_cast<std::size_t>(i / kCoarse)]);
            i += kCoarse;
        } else if (i % kFine == 0 && i + kFine - 1 <= last) {
            range.Add(FFine[static_cast<std::size_t>(i / kFine)]);
            i += kFine;
        } else {
            range.Add(values[static_cast<std::size_t>(i)]);
            ++i;
        }
    }
    low = range.Low;
    high = range.High;
    return !range.NaN && low <= high;
}
