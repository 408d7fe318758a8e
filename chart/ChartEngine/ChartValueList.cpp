#include "chart/ChartEngine/ChartValueList.h"

#include "chart/ChartEngine/ChartException.h"
#include "chart/ChartEngine/ChartSeries.h"

#include <cmath>
#include <string>
#include <utility>

TChartValueList::TChartValueList(TChartSeries* owner, std::string name) : FOwner(owner), FName(std::move(name))
{
    if (owner != nullptr)
        owner->ValueLists().push_back(this);
}

void TChartValueList::CheckIndex(std::int32_t index, bool allowEnd) const
{
    if (index < 0 || index > Count() || (index == Count() && !allowEnd))
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

double TChartValueList::Value(std::int32_t index) const
{
    CheckIndex(index, false);
    return FValues[static_cast<std::size_t>(index)] * FMultiplier;
}

void TChartValueList::Grow()
{
    if (Count() < FCapacity)
        return;
    // The stepped capacity is the list's documented growth; the storage itself grows
    // geometrically, since reserving each 16-value step would copy the values every 16 points.
    FCapacity += FCapacity < 4 ? 4 : (FCapacity < 8 ? 8 : 16);
}

void TChartValueList::Added(double stored)
{
    const double v = stored * FMultiplier;
    FTotal += v;
    FTotalABS += std::fabs(v);
    if (Count() == 1) {
        FMinValue = v;
        FMaxValue = v;
    } else {
        if (v < FMinValue)
            FMinValue = v;
        if (v > FMaxValue)
            FMaxValue = v;
    }
}

std::int32_t TChartValueList::AddChartValue(double value)
{
    std::int32_t index = Count();
    if (Order != loNone && index > 0) {
        std::int32_t t = index - 1;
        const auto after = [this, value](std::int32_t i) {
            const double stored = FValues[static_cast<std::size_t>(i)];
            return Order == loAscending ? stored > value : stored < value;
        };
        while (t >= 0 && after(t))
            --t;
        index = t + 1;
    }
    InsertChartValue(index, value);
    return index;
}

void TChartValueList::InsertChartValue(std::int32_t index, double value)
{
    CheckIndex(index, true);
    Grow();
    FValues.insert(FValues.begin() + index, value);
    if (index == Count() - 1)
        FBlocks.Append(FValues);
    else
        FBlocks.Rebuild(FValues);
    Added(value);
}

void TChartValueList::Delete(std::int32_t index)
{
    CheckIndex(index, false);
    const double v = FValues[static_cast<std::size_t>(index)] * FMultiplier;
    FValues.erase(FValues.begin() + index);
    FBlocks.Rebuild(FValues);
    FTotal -= v;
    FTotalABS -= std::fabs(v);
    RecalcMinMax();
}

void TChartValueList::Clear()
{
    FValues.clear();
    FValues.shrink_to_fit();
    FBlocks.Clear();
    FCapacity = 0;
    FTotal = FTotalABS = FMinValue = FMaxValue = 0;
}

void TChartValueList::RecalcMinMax()
{
    if (FValues.empty()) {
        FMinValue = FMaxValue = 0;
        return;
    }
    FMinValue = FMaxValue = Value(0);
    for (std::int32_t i = 1; i < Count(); ++i) {
        const double v = Value(i);
        if (v < FMinValue)
            FMinValue = v;
        else if (v > FMaxValue)
            FMaxValue = v;
    }
}

bool TChartValueList::RangeMinMax(std::int32_t first, std::int32_t last, double& low, double& high) const
{
    double storedLow = 0;
    double storedHigh = 0;
    if (!FBlocks.MinMax(FValues, first, last, storedLow, storedHigh))
        return false;
    // Multiplying by one factor keeps the order (or reverses it, for a negative factor).
    low = storedLow * FMultiplier;
    high = storedHigh * FMultiplier;
    if (high < low)
        std::swap(low, high);
    return !std::isnan(low) && !std::isnan(high);
}

bool TChartValueList::RangeExtremes(std::int32_t first, std::int32_t last, TValueExtremes& extremes) const
{
    TValueExtremes stored;
    if (!FBlocks.Extremes(FValues, first, last, stored))
        return false;
    const double m = FMultiplier;
    extremes = {stored.Low * m, stored.InnerLow * m, stored.InnerHigh * m, stored.High * m};
    if (m < 0)
        extremes = {extremes.High, extremes.InnerHigh, extremes.InnerLow, extremes.Low};
    return !std::isnan(extremes.Low) && !std::isnan(extremes.High);
}

void TChartValueList::SetDateTime(bool value)
{
    SetAndRepaint(FDateTime, value, [this] {
        if (FOwner != nullptr)
            FOwner->Repaint();
    });
}

void TChartValueList::SetMultiplier(double value)
{
    if (value != FMultiplier) {
        FMultiplier = value;
        RecalcMinMax();
        if (FOwner != nullptr)
            FOwner->Repaint();
    }
}
