#include "base/MulDiv.h"

#include <gtest/gtest.h>

namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero)
{
    const struct {
        std::int32_t A, B, C, Result;
    } cases[] = {
        {3, 527, 100, 16},                                                          // 15.81
        {3, 307, 100, 9},                                                           // 9.21
        {1, 5, 2, 3},                                                               // 2.5
        {-1, 5, 2, -3},                                                             // -2.5
        {1, -5, 2, -3},    {7, 0, 3, 0},           {0x40000000, 4, 8, 0x20000000},  // the product exceeds 32 bits
        {5, 5, 0, -1},     {0x7FFFFFFF, 2, 1, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulDiv(c.A, c.B, c.C), c.Result) << c.A << " * " << c.B << " / " << c.C;
}

}  // namespace
