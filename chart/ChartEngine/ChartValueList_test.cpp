#include "chart/ChartEngine/ChartValueList.h"

#include "chart/ChartEngine/ChartException.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

struct TOrderCase {
    TChartListOrder Order;
    std::vector<double> Existing;
    double Value;
    std::int32_t Index;
    std::vector<double> After;
};

TEST(ValueList, OrderedInsertion)
{
    const TOrderCase cases[] = {
        {loNone, {5, 1, 3}, 2, 3, {5, 1, 3, 2}},       {loAscending, {}, 7, 0, {7}},
        {loAscending, {1, 3, 5}, 3, 2, {1, 3, 3, 5}},  // after equal values
        {loAscending, {1, 3, 5}, 0, 0, {0, 1, 3, 5}},  {loAscending, {1, 3, 5}, 9, 3, {1, 3, 5, 9}},
        {loDescending, {5, 3, 1}, 3, 2, {5, 3, 3, 1}}, {loDescending, {5, 3, 1}, 6, 0, {6, 5, 3, 1}},
    };
    for (const TOrderCase& c : cases) {
        TChartValueList list(nullptr, "X");
        list.Order = loNone;
        for (double v : c.Existing)
            list.AddChartValue(v);
        list.Order = c.Order;
        EXPECT_EQ(list.AddChartValue(c.Value), c.Index) << "order " << int(c.Order) << " value " << c.Value;
        ASSERT_EQ(list.Count(), static_cast<std::int32_t>(c.After.size()));
        for (std::int32_t i = 0; i < list.Count(); ++i)
            EXPECT_EQ(list.Value(i), c.After[static_cast<std::size_t>(i)]);
    }
}

TEST(ValueList, StatisticsFollowInsertionsAndRemovals)
{
    TChartValueList list(nullptr, "Y");
    list.AddChartValue(-3);  // the first value sets both extremes, not just one against 0
    EXPECT_EQ(list.MinValue(), -3);
    EXPECT_EQ(list.MaxValue(), -3);
    list.Clear();
    for (double v : {4.0, -6.0, 2.5})
        list.AddChartValue(v);
    EXPECT_DOUBLE_EQ(list.Total(), 0.5);
    EXPECT_DOUBLE_EQ(list.TotalABS(), 12.5);
    EXPECT_EQ(list.MinValue(), -6.0);
    EXPECT_EQ(list.MaxValue(), 4.0);

    list.Delete(1);
    EXPECT_DOUBLE_EQ(list.Total(), 6.5);
    EXPECT_DOUBLE_EQ(list.TotalABS(), 6.5);
    EXPECT_EQ(list.MinValue(), 2.5);
    EXPECT_EQ(list.MaxValue(), 4.0);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Total(), 0);
    EXPECT_EQ(list.TotalABS(), 0);
    EXPECT_EQ(list.MinValue(), 0);
    EXPECT_EQ(list.MaxValue(), 0);
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(ValueList, MultiplierScalesReadsButNotStoredComparisons)
{
    TChartValueList list(nullptr, "X");
    list.Order = loAscending;
    list.AddChartValue(1);
    list.AddChartValue(3);
    list.SetMultiplier(-2);
    EXPECT_EQ(list.Value(0), -2);
    EXPECT_EQ(list.Last(), -6);
    EXPECT_EQ(list.MinValue(), -6);
    EXPECT_EQ(list.MaxValue(), -2);
    EXPECT_EQ(list.Total(), 4);           // sums keep the old multiplier
    EXPECT_EQ(list.AddChartValue(2), 1);  // ordered by the stored values
}

TEST(ValueList, CapacityGrowsInSteps)
{
    TChartValueList list(nullptr, "Y");
    std::vector<std::int32_t> seen;
    for (int i = 0; i < 61; ++i) {
        list.AddChartValue(i);
        if (seen.empty() || seen.back() != list.Capacity())
            seen.push_back(list.Capacity());
    }
    EXPECT_EQ(seen, (std::vector<std::int32_t>{4, 12, 28, 44, 60, 76}));
}

// Range extremes (with those of the values between them) and the ascending flag against a plain
// walk over the values, after appends, repeated values, insertions in the middle, removals,
// clearing, NaN and a negative multiplier.
TEST(ValueList, RangeExtremesAndOrderFollowEveryChange)
{
    std::mt19937 random(7);
    TChartValueList list(nullptr, "Y");
    const auto check = [&](const std::string& step) {
        bool ascending = list.Multiplier() > 0;
        for (std::int32_t i = 0; i < list.Count(); ++i) {
            const double v = list.Value(i);
            ascending = ascending && !std::isnan(v) && (i == 0 || v >= list.Value(i - 1));
        }
        EXPECT_EQ(list.Ascending(), ascending) << step;
        for (int probe = 0; probe < 40 && list.Count() > 0; ++probe) {
            auto first = static_cast<std::int32_t>(random() % static_cast<unsigned>(list.Count()));
            auto last = first + static_cast<std::int32_t>(random() % static_cast<unsigned>(list.Count() - first));
            // Now and then exactly one block of 16 or of 256 values.
            if (const std::int32_t size = probe % 3 == 0 ? 16 : 256; probe % 3 != 2 && list.Count() >= size) {
                first = std::min(first - first % size, (list.Count() - size) / size * size);
                last = first + size - 1;
            }
            double low = std::numeric_limits<double>::infinity();
            double high = -std::numeric_limits<double>::infinity();
            bool nan = false;
            for (std::int32_t i = first; i <= last; ++i) {
                nan = nan || std::isnan(list.Value(i));
                low = std::min(low, list.Value(i));
                high = std::max(high, list.Value(i));
            }
            double innerLow = std::numeric_limits<double>::infinity();
            double innerHigh = -std::numeric_limits<double>::infinity();
            for (std::int32_t i = first; i <= last; ++i) {
                if (list.Value(i) > low)
                    innerLow = std::min(innerLow, list.Value(i));
                if (list.Value(i) < high)
                    innerHigh = std::max(innerHigh, list.Value(i));
            }
            const std::string where = step + " " + std::to_string(first) + ".." + std::to_string(last);
            double rangeLow = 0;
            double rangeHigh = 0;
            TValueExtremes extremes;
            ASSERT_EQ(list.RangeMinMax(first, last, rangeLow, rangeHigh), !nan) << where;
            ASSERT_EQ(list.RangeExtremes(first, last, extremes), !nan) << where;
            if (!nan) {
                EXPECT_EQ(rangeLow, low) << where;
                EXPECT_EQ(rangeHigh, high) << where;
                const std::vector<double> expected = {low, innerLow, innerHigh, high};
                EXPECT_EQ(std::vector<double>({extremes.Low, extremes.InnerLow, extremes.InnerHigh, extremes.High}),
                          expected)
                    << where;
            }
        }
    };
    for (int i = 0; i < 700; ++i)
        list.AddChartValue(i % 97 == 0 ? i - 50 : i);
    check("appended");
    for (int i = 0; i < 600; ++i)
        list.AddChartValue(std::array<double, 4>{3, 4, 4, 5}[random() % 4]);
    check("repeated");
    list.InsertChartValue(300, -1e9);
    list.InsertChartValue(0, 2e9);
    check("inserted");
    list.Delete(0);
    list.Delete(300);
    check("deleted");
    list.SetMultiplier(-0.5);
    check("negative multiplier");
    list.SetMultiplier(1);
    list.AddChartValue(NAN);
    check("NaN at the end");
    list.Clear();
    for (int i = 0; i < 300; ++i)
        list.AddChartValue(i);
    check("cleared and refilled");
}

TEST(ValueList, IndexOutsideRaisesListError)
{
    TChartValueList list(nullptr, "Y");
    list.AddChartValue(1);
    EXPECT_THROW(list.Value(1), EListError);
    EXPECT_THROW(list.Value(-1), EListError);
    EXPECT_THROW(list.InsertChartValue(3, 0), EListError);
    try {
        list.Value(5);
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (5)");
    }
}

}  // namespace
