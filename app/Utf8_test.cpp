#include "app/Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8, DecodesEveryLengthAndReplacesMalformedBytes)
{
    const struct {
        std::string Bytes;
        std::u32string Decoded;
    } cases[] = {
        {"aÄß€😀", U"aÄß€😀"},  // one to four bytes
        {"\xC3", U"\uFFFD"},  // truncated
        {"\x80"
         "a",
         U"\uFFFDa"},                 // stray continuation
        {"\xC0\xAF", U"\uFFFD"},      // overlong
        {"\xED\xA0\x80", U"\uFFFD"},  // surrogate
        {"\xFF", U"\uFFFD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeUtf8(c.Bytes), c.Decoded);
    EXPECT_EQ(EncodeUtf8(U"aÄß€😀"), "aÄß€😀");
}

}  // namespace
