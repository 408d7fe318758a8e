#include "app/Errors.h"
#include "app/TextToFloat.h"
#include "testing/app/SeparatorFixture.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>

namespace {

class StrToFloatTest : public ::testing::Test {
private:
    TSeparatorFixture FSeparators;
};

TEST_F(StrToFloatTest, AcceptsTheDecimalForms)
{
    const struct {
        const char* Text;
        long double Value;
    } cases[] = {
        {"2,5", 2.5L}, {" -3 ", -3.0L}, {"1e3", 1000.0L}, {"1E+3", 1000.0L}, {"1E", 1.0L},      {"1E+", 1.0L},
        {",5", 0.5L},  {"5,", 5.0L},    {",", 0.0L},      {"+,", 0.0L},      {"-,", 0.0L},      {"3", 3.0L},
        {"0,1", 0.1L}, {"1E-2", 0.01L}, {"25E-1", 2.5L},  {"007,50", 7.5L},  {"1E-4999", 0.0L}, {"+1,25e+2", 125.0L},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrToFloat(c.Text), c.Value) << c.Text;
    EXPECT_FALSE(std::signbit(StrToFloat(",")));
    EXPECT_TRUE(std::signbit(StrToFloat("-0")));
    // "1E999" reads all three digits past 500; extended holds it.
    EXPECT_GT(StrToFloat("1E999"), 1e300L * 1e300L * 1e300L);
    EXPECT_FALSE(std::isinf(StrToFloat("1E999")));
}

TEST_F(StrToFloatTest, RejectsEverythingElseWithTheFloatMessage)
{
    const char* const cases[] = {
        "2.5",  "-",   "+",   "E5", "1 E3", "1E 3", "1E5000", "1E4999", "1,000,5",
        "0x10", "INF", "NAN", "",   "  ",   "1,5x", "\t1",    "1e3,5",  "1E--3",
    };
    for (const char* text : cases) {
        try {
            StrToFloat(text);
            ADD_FAILURE() << "accepted: '" << text << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message, std::string("'") + text + "' ist kein gültiger Gleitkommawert");
        }
    }
}

TEST_F(StrToFloatTest, UsesOnlyTheCurrentSeparator)
{
    DecimalSeparator = U'.';
    EXPECT_EQ(StrToFloat("2.5"), 2.5L);
    long double value = 7.0L;
    EXPECT_FALSE(TextToFloat("2,5", value));
    EXPECT_EQ(value, 7.0L) << "no partial value on failure";

    DecimalSeparator = U'·';  // a separator of two bytes
    EXPECT_EQ(StrToFloat("2·5"), 2.5L);
    EXPECT_EQ(StrToFloat("·"), 0.0L);
    EXPECT_FALSE(TextToFloat("2.5", value));
}

TEST_F(StrToFloatTest, KeepsTheCallersFloatingPointState)
{
    std::fenv_t original;
    std::fegetenv(&original);
    std::feclearexcept(FE_ALL_EXCEPT);
    std::fesetround(FE_UPWARD);
    std::feraiseexcept(FE_DIVBYZERO);

    // Under the caller's upward rounding 1/10 would round up; the conversion
    // rounds to nearest.
    EXPECT_EQ(StrToFloat("0,1"), 0.1L);
    long double value;
    EXPECT_FALSE(TextToFloat("1E4999", value));

    const int rounding = std::fegetround();
    const int flags = std::fetestexcept(FE_ALL_EXCEPT);
    std::fesetenv(&original);
    EXPECT_EQ(rounding, FE_UPWARD);
    EXPECT_EQ(flags, FE_DIVBYZERO) << "overflow and inexact of the conversion must not leak";
}

}  // namespace
