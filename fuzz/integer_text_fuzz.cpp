// StrToInt against its accepted set and values, written out independently, and
// IntToStr against the C++ library, read back by StrToInt.
#include "app/Errors.h"
#include "app/IntegerText.h"
#include "fuzz/FloatState.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

int DigitValue(char c, int base)
{
    int value = 99;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    return value < base ? value : -1;
}

// Spaces, then "$" and hexadecimal digits up to FFFFFFFF, or an optional sign and
// decimal digits of a magnitude up to 2147483647; nothing else, nothing after.
std::optional<std::int32_t> Expected(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    bool sign = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i++] == '-';
        sign = true;
    }
    const bool hex = !sign && i < text.size() && text[i] == '$';
    if (hex)
        ++i;
    if (i == text.size())
        return std::nullopt;
    const int base = hex ? 16 : 10;
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0)
            return std::nullopt;
        magnitude = std::min<std::uint64_t>(magnitude * base + digit, std::uint64_t{1} << 40);
    }
    if (hex)
        return magnitude > 0xFFFFFFFFu
                   ? std::nullopt
                   : std::optional(static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude)));
    if (magnitude > 2147483647u)
        return std::nullopt;
    const auto value = static_cast<std::int32_t>(magnitude);
    return negative ? -value : value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int32_t> expected = Expected(text);
    try {
        const std::int32_t value = StrToInt(text);
        Require(expected.has_value(), "StrToInt accepted a text outside its form");
        Require(value == *expected, "StrToInt gave a wrong value");
    } catch (const EConvertError& e) {
        Require(!expected, "StrToInt rejected a text of its form");
        Require(e.Message == "'" + std::string(text) + "' ist kein gültiger Integerwert",
                "the message quotes the whole text");
    }

    if (size >= 4) {
        std::int32_t value;
        std::memcpy(&value, data, sizeof value);
        const std::string printed = IntToStr(value);
        Require(printed == std::to_string(value), "IntToStr differs from plain decimal");
        // The one value without a decimal text it reads back from.
        if (value != INT32_MIN)
            Require(StrToInt(printed) == value, "IntToStr's text reads back to another value");
    }
    return 0;
}
