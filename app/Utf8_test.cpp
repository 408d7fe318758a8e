#include "app/Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8, RoundTripsCharactersOfEveryLength)
{
    const std::u32string text = U"aÄß€😀";
    EXPECT_EQ(EncodeUtf8(text), "aÄß€😀");
    EXPECT_EQ(DecodeUtf8("aÄß€😀"), text);
}

TEST(Utf8, MalformedBytesBecomeReplacementCharacters)
{
    const struct {
        std::string Bytes;
        std::u32string Decoded;
    } cases[] = {
        {"\xC3", U"\uFFFD"},          // truncated
        {"\x80" "a", U"\uFFFDa"},     // stray continuation
        {"\xC0\xAF", U"\uFFFD"},      // overlong
        {"\xED\xA0\x80", U"\uFFFD"},  // surrogate
        {"\xFF", U"\uFFFD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeUtf8(c.Bytes), c.Decoded);
}

} // namespace
