#include "app/FloatToText.h"
#include "app/FloatToTextCache.h"
#include "testing/app/SeparatorFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

class FloatToStrTest : public ::testing::Test {
private:
    TSeparatorFixture FSeparators;
};

struct TCase {
    long double Value;
    const char* Text;
};

TEST_F(FloatToStrTest, WritesTheGeneralFormatWithFifteenDigits)
{
    const TCase cases[] = {
        {0.0L, "0"},
        {-0.0L, "0"},
        {100.0L, "100"},
        {0.5L, "0,5"},
        {-2.5L, "-2,5"},
        {0.0001L, "0,0001"},
        {0.00001L, "1E-5"},
        {999999999999999.0L, "999999999999999"},
        {1e15L, "1E15"},
        {123456789012345678.0L, "1,23456789012346E17"},
        {0.99999999999999999L, "1"},
        {1.0L / 3.0L, "0,333333333333333"},
        {-1e-10L, "-1E-10"},
        {1e300L, "1E300"},
        {2.0L / 3.0L * 1e-300L, "6,66666666666667E-301"},
        {std::numeric_limits<long double>::denorm_min(), "0"},
        // six-byte reals (40 significant bits) nearest to the decimal value
        {0xC7CCCCCCCDP-34L, "49,9500000000116"},   // 49.95
        {0xC633333333P-34L, "49,5499999999884"},   // 49.55
        {0xCCCCCCCCCDP-43L, "0,100000000000023"},  // 0.1
        {0xAAAAAAAAABP-41L, "0,333333333333485"},  // 1/3
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStr(c.Value), c.Text) << static_cast<double>(c.Value);
}

TEST_F(FloatToStrTest, RoundsTwiceFirstToEighteenDigitsThenHalfUp)
{
    const TCase cases[] = {
        // 18-digit image ...345500: half up, although the value lies below the half
        {1.2345678901234549996L, "1,23456789012346"},
        {1.2345678901234549L, "1,23456789012345"},
        // a carry out of the first digit raises the exponent
        {9.9999999999999996L, "10"},
        {999999999999999.5L, "1E15"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStr(c.Value), c.Text);
}

TEST_F(FloatToStrTest, SeparatorFollowsTheSetting)
{
    DecimalSeparator = U'.';
    EXPECT_EQ(FloatToStr(0.5L), "0.5");
    DecimalSeparator = U'·';
    EXPECT_EQ(FloatToStr(-2.5L), "-2·5");
}

TEST(FloatToText, HonoursPrecisionExponentDigitsAndSpecialValues)
{
    char buffer[kFloatTextCapacity];
    const auto text = [&](long double v, int precision, int digits) {
        return std::string(buffer, FloatToText(buffer, v, precision, digits, U'.'));
    };
    EXPECT_EQ(text(1234.5L, 4, 0), "1235");
    EXPECT_EQ(text(12345.0L, 4, 0), "1.235E4");
    EXPECT_EQ(text(0.00001L, 15, 3), "1E-005");
    EXPECT_EQ(text(123456789012345678.0L, 18, 0), "123456789012345678");
    EXPECT_EQ(text(std::numeric_limits<long double>::infinity(), 15, 0), "INF");
    EXPECT_EQ(text(-std::numeric_limits<long double>::infinity(), 15, 0), "INF");
    EXPECT_EQ(text(std::numeric_limits<long double>::quiet_NaN(), 15, 0), "NAN");
    EXPECT_EQ(text(std::numeric_limits<long double>::max(), 15, 0), "1.18973149535723E4932");
    EXPECT_EQ(text(std::numeric_limits<long double>::min(), 15, 0), "3.36210314311209E-4932");
}

TEST(FloatToTextCache, GivesWhatTheConversionGivesForRepeatedAndSharedSlots)
{
    // More values than slots: run-like ones (40-bit significands), arbitrary extended
    // ones and the special values, drawn again and again with either separator.
    std::mt19937_64 random(1);
    std::vector<long double> values = {
        0.0L,   -0.0L,  std::numeric_limits<long double>::infinity(), std::numeric_limits<long double>::quiet_NaN(),
        49.95L, -49.95L};
    for (int i = 0; i < 400; ++i)
        values.push_back(std::ldexp(static_cast<long double>(random() >> 24), static_cast<int>(random() % 80) - 60));
    for (int i = 0; i < 400; ++i)
        values.push_back(std::ldexp(static_cast<long double>(random()), static_cast<int>(random() % 4000) - 2000));
    TFloatToTextCache cache;
    const TExtendedArithmetic arithmetic;
    for (int i = 0; i < 50000; ++i) {
        const long double value = values[random() % values.size()];
        const char32_t separator = random() % 2 == 0 ? U',' : U'.';
        char expected[kFloatTextCapacity];
        char cached[kFloatTextCapacity];
        const std::string want(expected, FloatToText(expected, value, 15, 0, separator));
        ASSERT_EQ(std::string(cached, cache.Text(arithmetic, cached, value, separator)), want);
    }
}

}  // namespace
