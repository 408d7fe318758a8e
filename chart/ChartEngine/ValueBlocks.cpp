#include "chart/ChartEngine/ValueBlocks.h"

#include <algorithm>
#include <cmath>
#include <limits>

template <bool WithInner>
void TValueBlocks::TBlock::Add(double v)
{
    NaN = NaN || std::isnan(v);
    TValueExtremes& r = Range;
    if constexpr (!WithInner) {
        r.Low = std::min(r.Low, v);
        r.High = std::max(r.High, v);
        return;
    }
    if (v < r.Low) {
        r.InnerLow = r.Low;
        r.Low = v;
    } else if (v > r.Low) {
        r.InnerLow = std::min(r.InnerLow, v);
    }
    if (v > r.High) {
        r.InnerHigh = r.High;
        r.High = v;
    } else if (v < r.High) {
        r.InnerHigh = std::max(r.InnerHigh, v);
    }
}

template <bool WithInner>
void TValueBlocks::TBlock::Add(const TBlock& other)
{
    NaN = NaN || other.NaN;
    if constexpr (!WithInner) {
        Range.Low = std::min(Range.Low, other.Range.Low);
        Range.High = std::max(Range.High, other.Range.High);
        return;
    }
    const TValueExtremes a = Range;
    const TValueExtremes& b = other.Range;
    Range.Low = std::min(a.Low, b.Low);
    Range.High = std::max(a.High, b.High);
    // The others: each side's inner values, and its extreme unless it is the joint one.
    const auto above = [&](double v) { return v > Range.Low ? v : std::numeric_limits<double>::infinity(); };
    const auto below = [&](double v) { return v < Range.High ? v : -std::numeric_limits<double>::infinity(); };
    Range.InnerLow = std::min({above(a.Low), a.InnerLow, above(b.Low), b.InnerLow});
    Range.InnerHigh = std::max({below(a.High), a.InnerHigh, below(b.High), b.InnerHigh});
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
    FFine.back().Add<true>(v);
    if (index % kCoarse == 0)
        FCoarse.emplace_back();
    FCoarse.back().Add<true>(v);
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

template <bool WithInner>
TValueBlocks::TBlock TValueBlocks::Collect(const std::vector<double>& values, std::int32_t first,
                                           std::int32_t last) const
{
    // One whole block, the commonest question, is read as it is.
    for (const auto& [size, blocks] : {std::pair{kFine, &FFine}, std::pair{kCoarse, &FCoarse}}) {
        if (first % size == 0 && last - first + 1 == size)
            return (*blocks)[static_cast<std::size_t>(first / size)];
    }
    TBlock range;
    std::int32_t i = first;
    while (i <= last) {
        if (i % kCoarse == 0 && i + kCoarse - 1 <= last) {
            range.Add<WithInner>(FCoarse[static_cast<std::size_t>(i / kCoarse)]);
            i += kCoarse;
        } else if (i % kFine == 0 && i + kFine - 1 <= last) {
            range.Add<WithInner>(FFine[static_cast<std::size_t>(i / kFine)]);
            i += kFine;
        } else {
            range.Add<WithInner>(values[static_cast<std::size_t>(i)]);
            ++i;
        }
    }
    return range;
}

bool TValueBlocks::MinMax(const std::vector<double>& values, std::int32_t first, std::int32_t last, double& low,
                          double& high) const
{
    const TBlock range = Collect<false>(values, first, last);
    low = range.Range.Low;
    high = range.Range.High;
    return !range.NaN && low <= high;
}

bool TValueBlocks::Extremes(const std::vector<double>& values, std::int32_t first, std::int32_t last,
                            TValueExtremes& extremes) const
{
    const TBlock range = Collect<true>(values, first, last);
    extremes = range.Range;
    return !range.NaN && extremes.Low <= extremes.High;
}
