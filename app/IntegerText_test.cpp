#include "app/Errors.h"
#include "app/IntegerText.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct TValidCase {
    const char* Text;
    std::int32_t Value;
};

TEST(StrToInt, AcceptsDecimalAndHexadecimalForms)
{
    const TValidCase cases[] = {
        {" 42", 42},
        {"+7", 7},
        {"-0", 0},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483647", -2147483647},
        {"$7fffffff", 2147483647},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"$0000000001", 1},
        {"$aB", 0xAB},
        {"   $10", 16},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrToInt(c.Text), c.Value) << c.Text;
}

TEST(StrToInt, RejectsEverythingElseWithTheIntegerMessage)
{
    const char* const cases[] = {
        "42 ",  "2147483648", "-2147483648", "4294967296", "99999999999", "$",   "-$1", "+$1", "$100000000", "$1G",
        "0x10", "",           "   ",         "-",          "+",           "1.5", "\t1", "1e3", "--1",        "12a",
    };
    for (const char* text : cases) {
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted: '" << text << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message, std::string("'") + text + "' ist kein gültiger Integerwert");
            EXPECT_STREQ(e.ClassName(), "EConvertError");
        }
    }
}

TEST(IntToStr, WritesPlainDecimalDigits)
{
    const TValidCase cases[] = {
        {"0", 0}, {"57", 57}, {"100", 100}, {"-1", -1}, {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IntToStr(c.Value), c.Text);
}

}  // namespace
