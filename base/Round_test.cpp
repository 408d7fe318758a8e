#include "base/Round.h"

#include "base/Exception.h"
#include "base/FloatEnvironment.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

class RoundTest : public ::testing::Test {
protected:
    void SetUp() override { SetFloatEnvironment(); }
};

TEST_F(RoundTest, HalvesGoToEvenAndWhatInt32CannotHoldIsRejected)
{
    const struct {
        long double X;
        std::int32_t Rounded;
    } cases[] = {
        {50.5L, 50},
        {51.5L, 52},
        {-0.5L, 0},
        {-1.5L, -2},
        {0.49999999999999999995L, 0},
        {49.9500000000116L, 50},
        {-49.5L, -50},
        {2147483647.0L, 2147483647},
        {-2147483648.4L, -2147483647 - 1},
        {-2147483648.5L, -2147483647 - 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Round(c.X), c.Rounded) << static_cast<double>(c.X);
    for (long double x : {2147483647.5L, -2147483649.0L, 1e30L, std::numeric_limits<long double>::infinity(),
                          std::numeric_limits<long double>::quiet_NaN()})
        EXPECT_THROW(Round(x), EInvalidOp) << static_cast<double>(x);
}

}  // namespace
