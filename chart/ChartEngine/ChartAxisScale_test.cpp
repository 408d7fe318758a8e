#include "chart/ChartEngine/ChartAxisScale.h"

#include <gtest/gtest.h>

#include <cmath>

#include <limits>

namespace {

using AxisScale::IncrementForCount;
using AxisScale::LabelCount;
using AxisScale::LabelValues;
using AxisScale::NextIncrementStep;

TEST(AxisScale, RoundsHalvesToEven)
{
    const struct {
        long double In;
        std::int32_t Out;
    } cases[] = {{0.5L, 0},
                 {1.5L, 2},
                 {2.5L, 2},
                 {-0.5L, 0},
                 {-1.5L, -2},
                 {-2.5L, -2},
                 {std::nextafter(2.5L, 0.0L), 2},
                 {std::nextafter(2.5L, 3.0L), 3},
                 {-7.25L, -7},
                 {3e12L, std::numeric_limits<std::int32_t>::max()},
                 {-3e12L, std::numeric_limits<std::int32_t>::min()}};
    for (const auto& c : cases)
        EXPECT_EQ(AxisScale::Round(c.In), c.Out) << static_cast<double>(c.In);
}

TEST(AxisScale, LadderSkipsTwenty)
{
    double x = 1;
    std::vector<double> ladder{x};
    while (x < 20000)
        ladder.push_back(x = NextIncrementStep(x));
    EXPECT_EQ(ladder, (std::vector<double>{1, 2, 5, 10, 50, 100, 200, 500, 1000, 5000, 10000, 20000}));
    EXPECT_EQ(NextIncrementStep(3), 5);
    EXPECT_EQ(NextIncrementStep(7), 14);
    EXPECT_EQ(NextIncrementStep(0.25), 0.5);
}

TEST(AxisScale, SmallStepsDoubleUntilPastOneThenJumpToFive)
{
    double x = AxisScale::kMinIncrement;
    while (x <= 1)
        x = NextIncrementStep(x);
    EXPECT_GT(x, 1);
    EXPECT_LT(x, 5);
    EXPECT_EQ(NextIncrementStep(x), 5);
}

TEST(AxisScale, LabelCountAddsSeparationInExtendedPrecision)
{
    EXPECT_EQ(LabelCount(13, 200, 10), 14);  // 13 + Round(1.3) = 14
    EXPECT_EQ(LabelCount(18, 400, 10), 20);  // 18 + Round(1.8) = 20
    EXPECT_EQ(LabelCount(5, 100, 10), 20);   // Round(0.5) goes to the even 0
    // 10 × 0.01 × 15 lies just below 1.5 in extended precision, so the margin is 1, not 2.
    EXPECT_EQ(LabelCount(15, 160, 10), 10);
    EXPECT_EQ(LabelCount(13, 200, 0), 15);
    EXPECT_EQ(LabelCount(0, 200, 10), 1);
    EXPECT_EQ(LabelCount(30, 14, 10), 0);  // shorter than half a label
}

TEST(AxisScale, IncrementForCount)
{
    const struct {
        std::int32_t Count;
        double Increment;
        double Range;
        std::int32_t Separation;
        double Expected;
    } cases[] = {
        {14, 0, 100, 10, 10},  // left axis, counts 0 … 100
        {20, 0, 499, 10, 50},  // bottom axis after 500 generations
        {20, 0, 9, 10, 1},     // 10 generations
        {20, 0, 49, 10, 5},    // 50 generations
        {20, 0, 4999, 10, 500},
        {14, 3, 100, 10, 10},                       // 3 → 5 → 10
        {14, 3, 10, 10, 3},                         // a positive increment is the smallest step
        {0, 3, 100, 10, AxisScale::kMinIncrement},  // no room: the user's increment is ignored
        {14, 0, 0, 10, AxisScale::kMinIncrement},   // empty chart
        {14, 0, 0.5, 10, 0.04096},                  // 0.00001 doubled 12 times
        {14, 0, 100000, 0, 1},                      // no separation: the start value stays
        {14, 7, 100000, 0, 7},
        {10, 0, 1e12, 10, 5000.0 * (1 << 25)},  // 1e12 / 1 is too large to round at first
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(IncrementForCount(c.Count, c.Increment, c.Range, c.Separation), c.Expected)
            << c.Count << " " << c.Increment << " " << c.Range;
    }
}

TEST(AxisScale, LabelValuesFromTopDown)
{
    EXPECT_EQ(LabelValues(0, 100, 10, {}), (std::vector<double>{100, 90, 80, 70, 60, 50, 40, 30, 20, 10, 0}));
    EXPECT_EQ(LabelValues(0, 499, 50, {}), (std::vector<double>{450, 400, 350, 300, 250, 200, 150, 100, 50, 0}));
    EXPECT_EQ(LabelValues(3, 100, 10, {}), (std::vector<double>{100, 90, 80, 70, 60, 50, 40, 30, 20, 10}));
    EXPECT_EQ(LabelValues(0, 1, 1, {}), (std::vector<double>{1, 0}));
    // An empty range gets one label.
    EXPECT_EQ(LabelValues(0, 0, AxisScale::kMinIncrement, {}), (std::vector<double>{0}));
    EXPECT_EQ(LabelValues(57, 57, AxisScale::kMinIncrement, {}), (std::vector<double>{57}));
}

TEST(AxisScale, LabelRules)
{
    const AxisScale::TLabelRule inside{.RoundFirstLabel = true, .LabelsOnAxis = false};
    EXPECT_EQ(LabelValues(0, 100, 25, inside), (std::vector<double>{75, 50, 25}));
    const AxisScale::TLabelRule unrounded{.RoundFirstLabel = false, .LabelsOnAxis = true};
    EXPECT_EQ(LabelValues(0, 99, 25, unrounded), (std::vector<double>{99, 74, 49, 24}));
}

TEST(AxisScale, NoLabelsWhenTooManyOrOutOfRange)
{
    EXPECT_TRUE(LabelValues(0, 0.2, AxisScale::kMinIncrement, {}).empty());  // 20000 labels
    EXPECT_FALSE(LabelValues(0, 0.09, AxisScale::kMinIncrement, {}).empty());
    EXPECT_TRUE(LabelValues(0, 10000, 1, {}).empty());
    EXPECT_EQ(LabelValues(0, 9999, 1, {}).size(), 10000u);
    EXPECT_TRUE(LabelValues(3e13 - 1, 3e13, 1, {}).empty());  // top / step beyond 32 bits
    EXPECT_EQ(LabelValues(0, 3e9, 1e6, {}).size(), 3001u);
    EXPECT_TRUE(LabelValues(5, 4, 1, {}).empty());
    EXPECT_TRUE(LabelValues(0, 10, 0, {}).empty());
}

}  // namespace
