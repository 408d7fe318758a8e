#include "population/SixByteReal.h"

#include "base/Exception.h"
#include "base/FloatEnvironment.h"
#include "population/Random.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TSixByteReal Bytes(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3, uint8_t b4, uint8_t b5)
{
    return TSixByteReal{{b0, b1, b2, b3, b4, b5}};
}

class SixByteRealTest : public ::testing::Test {
protected:
    void SetUp() override { SetFloatEnvironment(); }
};

TEST_F(SixByteRealTest, Layout)
{
    const struct {
        long double X;
        TSixByteReal R;
    } cases[] = {
        {0.0L, Bytes(0, 0, 0, 0, 0, 0)},
        {1.0L, Bytes(0x81, 0, 0, 0, 0, 0)},
        {3.0L, Bytes(0x82, 0, 0, 0, 0, 0x40)},
        {30.0L, Bytes(0x85, 0, 0, 0, 0, 0x70)},
        {-1.0L, Bytes(0x81, 0, 0, 0, 0, 0x80)},
        {-0.0L, Bytes(0, 0, 0, 0, 0, 0)},
        {1.0L + std::ldexp(1.0L, -39), Bytes(0x81, 1, 0, 0, 0, 0)},  // lowest fraction bit
        {std::ldexp(1.0L, -128), Bytes(1, 0, 0, 0, 0, 0)},           // smallest
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Ext2Real(c.X), c.R) << static_cast<double>(c.X);
        EXPECT_EQ(Real2Ext(c.R), c.X == 0 ? 0.0L : c.X);
    }
}

TEST_F(SixByteRealTest, RoundsToFortyBitsHalvesAwayFromZero)
{
    const long double ulp = std::ldexp(1.0L, -39);
    const struct {
        long double X, Expected;
    } cases[] = {
        {1.0L + ulp / 2, 1.0L + ulp},                    // exactly half: up
        {1.0L + ulp / 2 - std::ldexp(1.0L, -63), 1.0L},  // just below half: down
        {-(1.0L + ulp / 2), -(1.0L + ulp)},              // away from zero when negative
        {2.0L - ulp / 2, 2.0L},                          // carry into the exponent
        {-(2.0L - ulp / 2), -2.0L},
        {std::ldexp(1.0L, -130), 0.0L},                                    // underflow: zero, no error
        {std::ldexp(1.0L, -129) * (2 - ulp), 0.0L},                        // largest below range
        {std::ldexp(1.0L, -129) * (2 - ulp / 2), std::ldexp(1.0L, -128)},  // rounds up into range
        {std::ldexp(1.0L, -16400), 0.0L},                                  // extended denormal
        {9990 * 0.005L, std::ldexp(858134465741.0L, -34)},                 // 49,9500000000116
        {9910 * 0.005L, std::ldexp(851262518067.0L, -34)},                 // 49,5499999999884
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SixByte(c.X), c.Expected) << static_cast<double>(c.X);
    }
}

TEST_F(SixByteRealTest, TooLargeOverflows)
{
    const long double largest = std::ldexp(1.0L, 127) - std::ldexp(1.0L, 87);
    EXPECT_EQ(SixByte(largest), largest);
    for (long double x : {std::ldexp(1.5L, 127), -std::ldexp(1.5L, 127), std::ldexp(1.0L, 127),
                          largest + std::ldexp(1.0L, 86), 1e300L * 1e300L})
        EXPECT_THROW(Ext2Real(x), EOverflow) << static_cast<double>(x);
}

TEST_F(SixByteRealTest, PendingFaultSurfacesAtConversion)
{
    volatile long double zero = 0.0L;
    EXPECT_THROW(Ext2Real(zero / zero), EInvalidOp);
    EXPECT_THROW(Ext2Real(1.0L / zero), EZeroDivide);
    EXPECT_EQ(Ext2Real(2.0L), Bytes(0x82, 0, 0, 0, 0, 0));  // the fault was cleared
}

TEST_F(SixByteRealTest, RoundTripIsExact)
{
    RandSeed = 7;
    for (int i = 0; i < 20000; ++i) {
        const long double x = std::ldexp(Random() + 0.5L, static_cast<int>(Random(250)) - 125) * (i % 2 ? -1 : 1);
        const TSixByteReal r = Ext2Real(x);
        EXPECT_EQ(Ext2Real(Real2Ext(r)), r);
        ASSERT_LE(std::fabs(Real2Ext(r) - x), std::fabs(x) * std::ldexp(1.0L, -40));
    }
}

}  // namespace
