#pragma once
// Extremes of a value list by blocks of consecutive values, kept up to date as values are
// appended, so that the smallest and largest value of an index range cost a few comparisons
// per block instead of one per value; also whether the values never decrease.
#include <cstdint>
#include <limits>
#include <vector>

// The smallest and largest of some values, and the smallest and largest of the others: every
// value is Low, High or lies in InnerLow..InnerHigh, which holds none when InnerLow is above
// InnerHigh. Of no values, Low is above High.
struct TValueExtremes {
    double Low = std::numeric_limits<double>::infinity();
    double InnerLow = std::numeric_limits<double>::infinity();
    double InnerHigh = -std::numeric_limits<double>::infinity();
    double High = -std::numeric_limits<double>::infinity();
};

class TValueBlocks {
public:
    // Values per block; a second level groups kFine blocks of kFine values.
    static constexpr std::int32_t kFine = 16;
    static constexpr std::int32_t kCoarse = kFine * kFine;

    // values already holds the new value at its end.
    void Append(const std::vector<double>& values);
    // After values were inserted or removed anywhere.
    void Rebuild(const std::vector<double>& values);
    void Clear();

    // Smallest and largest of values[first..last]; false when a NaN lies among them.
    bool MinMax(const std::vector<double>& values, std::int32_t first, std::int32_t last, double& low,
                double& high) const;
    // The same with the extremes of the values between them.
    bool Extremes(const std::vector<double>& values, std::int32_t first, std::int32_t last,
                  TValueExtremes& extremes) const;
    // No value is NaN and none is smaller than the one before it.
    bool Ascending() const { return FDescents == 0; }

private:
    struct TBlock {
        // An empty block has no extremes: Low above High. A NaN leaves them as they are (no
        // comparison with it holds) and is flagged.
        TValueExtremes Range;
        bool NaN = false;

        // Low and High only, unless WithInner.
        template <bool WithInner>
        void Add(double v);
        template <bool WithInner>
        void Add(const TBlock& other);
    };
    template <bool WithInner>
    TBlock Collect(const std::vector<double>& values, std::int32_t first, std::int32_t last) const;

    // Takes values[index] into the last blocks; index is the next one not yet taken.
    void Include(const std::vector<double>& values, std::int32_t index);

    std::vector<TBlock> FFine;
    std::vector<TBlock> FCoarse;
    // Places where a value is below (or unordered with) the one before it.
    std::int32_t FDescents = 0;
};
