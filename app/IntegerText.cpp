#include "app/IntegerText.h"

#include "app/Errors.h"

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

[[noreturn]] void Invalid(std::string_view text)
{
    throw ConvertError(kInvalidIntegerMessage, text);
}

}  // namespace

std::int32_t StrToInt(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t end = text.size();
    while (i < end && text[i] == ' ')
        ++i;
    bool negative = false;
    bool hasSign = false;
    if (i < end && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        hasSign = true;
        ++i;
    }

    std::uint32_t value = 0;
    const std::size_t first = i;
    if (!hasSign && i < end && text[i] == '$') {
        const std::size_t digits = ++i;
        for (int d; i < end && (d = HexDigit(text[i])) >= 0; ++i) {
            if (value > 0x0FFFFFFFu)
                Invalid(text);
            value = value * 16 + static_cast<std::uint32_t>(d);
        }
        if (i == digits || i != end)
            Invalid(text);
        return static_cast<std::int32_t>(value);
    }

    for (; i < end && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value > 214748364u)
            Invalid(text);
        value = value * 10 + static_cast<std::uint32_t>(text[i] - '0');
    }
    if (i == first || i != end)
        Invalid(text);
    if (!negative) {
        if (value > 2147483647u)
            Invalid(text);
        return static_cast<std::int32_t>(value);
    }
    // 2147483648 negated would need the one value without a positive twin.
    if (value > 2147483647u)
        Invalid(text);
    return -static_cast<std::int32_t>(value);
}

std::string IntToStr(std::int32_t value)
{
    char buffer[11];
    char* p = buffer + sizeof buffer;
    std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--p = '-';
    return std::string(p, buffer + sizeof buffer);
}
