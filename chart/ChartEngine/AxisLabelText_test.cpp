#include "chart/ChartEngine/AxisLabelText.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct TLabelCase {
    double Value;
    const char* Expected;
};

constexpr const char* kDefaultPattern = "#,##0.###";

class GermanLabelTextTest : public ::testing::TestWithParam<TLabelCase> {};

TEST_P(GermanLabelTextTest, FormatsDefaultPattern)
{
    EXPECT_EQ(FormatAxisValue(GetParam().Value, kDefaultPattern, U',', U'.'), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    AxisLabel, GermanLabelTextTest,
    ::testing::Values(TLabelCase{0, "0"}, TLabelCase{-0.0, "0"}, TLabelCase{7, "7"}, TLabelCase{100, "100"},
                      TLabelCase{999, "999"}, TLabelCase{1000, "1.000"}, TLabelCase{-1000, "-1.000"},
                      TLabelCase{2.5, "2,5"}, TLabelCase{-2.5, "-2,5"}, TLabelCase{12345.6789, "12.345,679"},
                      TLabelCase{1234567, "1.234.567"}, TLabelCase{0.1, "0,1"}, TLabelCase{0.00001, "0"},
                      TLabelCase{0.0005, "0,001"}, TLabelCase{0.00049, "0"},
                      // Subtracting binary steps leaves tiny residues around zero: never "-0".
                      TLabelCase{-2.7755575615628914e-17, "0"}, TLabelCase{-0.0004, "0"}, TLabelCase{0.9995, "1"},
                      TLabelCase{999.9996, "1.000"}, TLabelCase{1.00051, "1,001"},
                      // The double nearest to 1.0005 lies below it: its 18 digits end in ...4999.
                      TLabelCase{1.0005, "1"}, TLabelCase{0.30000000000000004, "0,3"},
                      TLabelCase{2147483647, "2.147.483.647"},
                      TLabelCase{123456789012345678.0, "123.456.789.012.345.680"}, TLabelCase{1e19, "1E19"},
                      TLabelCase{-1.5e300, "-1,5E300"}));

TEST(AxisLabelText, UsesGivenSeparators)
{
    EXPECT_EQ(FormatAxisValue(12345.6789, kDefaultPattern, U'.', U','), "12,345.679");
    // A grouping mark outside ASCII (narrow no-break space) is written as UTF-8.
    EXPECT_EQ(FormatAxisValue(1234.5, kDefaultPattern, U',', U'\u202F'), "1\u202F234,5");
}

TEST(AxisLabelText, FollowsPatternPlaceholders)
{
    const struct {
        const char* Pattern;
        double Value;
        const char* Expected;
    } cases[] = {
        {"0.00", 2.5, "2,50"},
        {"0.00", 2.004, "2,00"},
        {"#,##0", 1234.5, "1.235"},
        {"0000", 12, "0012"},
        {"#.##", 0.5, ",5"},
        {"0", -0.4, "0"},
        {"#,##0.0#", 1e6, "1.000.000,0"},
        {"0.#####", 0.000015, "0,00002"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatAxisValue(c.Value, c.Pattern, U',', U'.'), c.Expected) << c.Pattern << " " << c.Value;
}

}  // namespace
