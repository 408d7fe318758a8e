#include "chart/ChartPanel/ChartTypes.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorToRGB, SystemColoursTakeTheStandardSchemeOthersPassUnchanged)
{
    // The window system's standard scheme, as red, green, blue.
    const struct {
        TColor Color;
        int Red, Green, Blue;
    } system[] = {
        {clWindowText, 0, 0, 0},
        {clBtnFace, 240, 240, 240},
        {clBtnShadow, 160, 160, 160},
        {clBtnHighlight, 255, 255, 255},
    };
    for (const auto& c : system) {
        const TColor rgb = ColorToRGB(c.Color);
        EXPECT_EQ(static_cast<int>(rgb & 0xFF), c.Red) << std::hex << c.Color;
        EXPECT_EQ(static_cast<int>(rgb >> 8 & 0xFF), c.Green) << std::hex << c.Color;
        EXPECT_EQ(static_cast<int>(rgb >> 16), c.Blue) << std::hex << c.Color;
    }
    for (TColor plain : {TColor{0x39C9FF}, clSilver, clChartDefault, clNone})
        EXPECT_EQ(ColorToRGB(plain), plain) << std::hex << plain;
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
