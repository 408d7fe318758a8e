#include "chart/ChartEngine/AxisLabelText.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct LabelCase {
    double Value;
    const char* Expected;
};

constexpr const char* kDefaultPattern = "#,##0.###";

class GermanLabelText : public ::testing::TestWithParam<LabelCase> {};

TEST_P(GermanLabelText, FormatsDefaultPattern)
{
    EXPECT_EQ(FormatAxisValue(GetParam().Value, kDefaultPattern, U',', U'.'), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    AxisLabel, GermanLabelText,
    ::testing::Values(LabelCase{0, "0"}, LabelCase{-0.0, "0"}, LabelCase{7, "7"}, LabelCase{100, "100"},
                      LabelCase{999, "999"}, LabelCase{1000, "1.000"}, LabelCase{-1000, "-1.000"},
                      LabelCase{2.5, "2,5"}, LabelCase{-2.5, "-2,5"}, LabelCase{12345.6789, "12.345,679"},
                      LabelCase{1234567, "1.234.567"}, LabelCase{0.1, "0,1"},
                      LabelCase{0.00001, "0"}, LabelCase{0.0005, "0,001"}, LabelCase{0.00049, "0"},
                      // Subtracting binary steps leaves tiny residues around zero: never "-0".
                      LabelCase{-2.7755575615628914e-17, "0"}, LabelCase{-0.0004, "0"},
                      LabelCase{0.9995, "1"}, LabelCase{999.9996, "1.000"}, LabelCase{1.00051, "1,001"},
                      // The double nearest to 1.0005 lies below it: its 18 digits end in ...4999.
                      LabelCase{1.0005, "1"},
                      LabelCase{0.30000000000000004, "0,3"}, LabelCase{2147483647, "2.147.483.647"},
                      LabelCase{123456789012345678.0, "123.456.789.012.345.680"},
                      LabelCase{1e19, "1E19"}, LabelCase{-1.5e300, "-1,5E300"}));

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
        {"0.00", 2.5, "2,50"},   {"0.00", 2.004, "2,00"},    {"#,##0", 1234.5, "1.235"},
        {"0000", 12, "0012"},    {"#.##", 0.5, ",5"},        {"0", -0.4, "0"},
        {"#,##0.0#", 1e6, "1.000.000,0"},                    {"0.#####", 0.000015, "0,00002"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatAxisValue(c.Value, c.Pattern, U',', U'.'), c.Expected) << c.Pattern << " " << c.Value;
}

}  // namespace
