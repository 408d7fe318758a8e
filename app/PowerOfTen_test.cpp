#include "app/PowerOfTen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// The extended value nearest to 10^n, ties to even: the C library reads decimal text
// correctly rounded.
long double NearestExtended(int n)
{
    return std::strtold(("1e" + std::to_string(n)).c_str(), nullptr);
}

TEST(ScalePowerOfTen, EveryTableFactorIsTheNearestExtendedValue)
{
    // 1 .. 31, then steps of 32 up to 480, then steps of 512 up to 4608.
    for (int n = 1; n <= 4608; n += n < 32 ? 1 : n < 512 ? 32 : 512)
        EXPECT_EQ(ScalePowerOfTen(1.0L, n), NearestExtended(n)) << "1e" << n;
}

TEST(ScalePowerOfTen, CombinesFactorsInTheirOrderWithRounding)
{
    // 10^(23 + 32 + 1024): three roundings, in ascending order of the factors; for
    // 1.1 every other order gives another result.
    const long double x = 1.1L;
    EXPECT_EQ(ScalePowerOfTen(x, 1079), ((x * NearestExtended(23)) * NearestExtended(32)) * NearestExtended(1024));
    EXPECT_EQ(ScalePowerOfTen(x, -1079), ((x / NearestExtended(23)) / NearestExtended(32)) / NearestExtended(1024));
    EXPECT_EQ(ScalePowerOfTen(2.5L, 0), 2.5L);
}

TEST(ScalePowerOfTen, ExponentsPastTheTablesStillScale)
{
    EXPECT_EQ(ScalePowerOfTen(1.0L, -6000), 0.0L);
    EXPECT_TRUE(std::isinf(ScalePowerOfTen(1.0L, 6000)));
    // 1e4900 brought down by 1e5200 is representable.
    const long double x = ScalePowerOfTen(ScalePowerOfTen(1.0L, 4900), -5200);
    EXPECT_NEAR(static_cast<double>(x / ScalePowerOfTen(1.0L, -300)), 1.0, 1e-15);
}

}  // namespace
