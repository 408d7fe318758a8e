#include "chart/ChartEngine/ChartValueList.h"

#include "chart/ChartEngine/ChartException.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct OrderCase {
    TChartListOrder Order;
    std::vector<double> Existing;
    double Value;
    std::int32_t Index;
    std::vector<double> After;
};

TEST(ValueList, OrderedInsertion)
{
    const OrderCase cases[] = {
        {loNone, {5, 1, 3}, 2, 3, {5, 1, 3, 2}},
        {loAscending, {}, 7, 0, {7}},
        {loAscending, {1, 3, 5}, 3, 2, {1, 3, 3, 5}},   // after equal values
        {loAscending, {1, 3, 5}, 0, 0, {0, 1, 3, 5}},
        {loAscending, {1, 3, 5}, 9, 3, {1, 3, 5, 9}},
        {loDescending, {5, 3, 1}, 3, 2, {5, 3, 3, 1}},
        {loDescending, {5, 3, 1}, 6, 0, {6, 5, 3, 1}},
    };
    for (const OrderCase& c : cases) {
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
    EXPECT_EQ(list.Total(), 4);  // sums keep the old multiplier
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
