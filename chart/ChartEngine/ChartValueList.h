#pragma once
// One coordinate of a series' points (X or Y), kept in order with running statistics.
#include "chart/ChartEngine/ValueBlocks.h"

#include <cstdint>
#include <string>
#include <vector>

class TChartSeries;

enum TChartListOrder : std::uint8_t { loNone, loAscending, loDescending };

class TChartValueList {
public:
    // Joins the owner's list of value lists.
    TChartValueList(TChartSeries* owner, std::string name);

    TChartSeries* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }
    std::int32_t Count() const { return static_cast<std::int32_t>(FValues.size()); }
    // Stored value times Multiplier; EListError outside 0..Count-1.
    double Value(std::int32_t index) const;
    double operator[](std::int32_t index) const { return Value(index); }
    double Last() const { return Value(Count() - 1); }
    // The values as stored, before the multiplier: for walks over many of them.
    const std::vector<double>& Stored() const { return FValues; }

    // Stores v where Order puts it (after equal values) and returns its index.
    std::int32_t AddChartValue(double value);
    void InsertChartValue(std::int32_t index, double value);
    void Delete(std::int32_t index);
    void Clear();
    // Slots reserved for values: grows 0, 4, 12, 28, 44, 60, ...
    std::int32_t Capacity() const { return FCapacity; }

    TChartListOrder Order = loNone;
    bool DateTime() const { return FDateTime; }
    void SetDateTime(bool value);
    double Multiplier() const { return FMultiplier; }
    // Recomputes the extremes; Total and TotalABS keep the sums of the old multiplier.
    void SetMultiplier(double value);
    double TempValue = 0;
    std::string ValueSource;

    double Total() const { return FTotal; }
    double TotalABS() const { return FTotalABS; }
    double MaxValue() const { return FMaxValue; }
    double MinValue() const { return FMinValue; }
    void RecalcMinMax();

    // Smallest and largest Value of indices first..last, in O(range / 256 + 64); false when a
    // NaN lies among them.
    bool RangeMinMax(std::int32_t first, std::int32_t last, double& low, double& high) const;
    // The same with the extremes of the values between them (see TValueExtremes). A factor
    // of zero makes an empty inner range NaN, which no test holds.
    bool RangeExtremes(std::int32_t first, std::int32_t last, TValueExtremes& extremes) const;
    // Values never decrease, so a position can be found by binary search.
    bool Ascending() const { return FBlocks.Ascending() && FMultiplier > 0; }

private:
    void CheckIndex(std::int32_t index, bool allowEnd) const;
    void Grow();
    void Added(double stored);

    TChartSeries* FOwner;
    std::vector<double> FValues;
    TValueBlocks FBlocks;
    std::int32_t FCapacity = 0;
    bool FDateTime = false;
    double FMultiplier = 1.0;
    std::string FName;
    double FTotal = 0;
    double FTotalABS = 0;
    double FMaxValue = 0;
    double FMinValue = 0;
};
