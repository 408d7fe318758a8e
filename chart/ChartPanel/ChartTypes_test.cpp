#include "chart/ChartPanel/ChartTypes.h"

#include <gtest/gtest.h>

namespace {

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
