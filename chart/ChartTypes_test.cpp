#include "chart/ChartTypes.h"

#include <gtest/gtest.h>

namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero)
{
    const struct {
        std::int32_t A, B, C, Result;
    } cases[] = {
        {3, 527, 100, 16},   // 15.81
        {3, 307, 100, 9},    // 9.21
        {1, 5, 2, 3},        // 2.5
        {-1, 5, 2, -3},      // -2.5
        {1, -5, 2, -3},
        {7, 0, 3, 0},
        {0x40000000, 4, 8, 0x20000000},  // the product exceeds 32 bits
        {5, 5, 0, -1},
        {0x7FFFFFFF, 2, 1, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulDiv(c.A, c.B, c.C), c.Result) << c.A << " * " << c.B << " / " << c.C;
}

TEST(ColorToRGB, PlainColoursPassSystemColoursResolve)
{
    EXPECT_EQ(ColorToRGB(0x39C9FF), 0x39C9FFu);
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clBtnHighlight), clWhite);
    EXPECT_NE(ColorToRGB(clBtnFace), clBtnFace);
}

TEST(IntersectRect, EmptyWhenDisjoint)
{
    TRect r;
    EXPECT_TRUE(IntersectRect(r, {0, 0, 10, 10}, {5, 2, 20, 8}));
    EXPECT_EQ(r, (TRect{5, 2, 10, 8}));
    EXPECT_FALSE(IntersectRect(r, {0, 0, 10, 10}, {10, 0, 20, 10}));
    EXPECT_EQ(r, TRect{});
}

}  // namespace
