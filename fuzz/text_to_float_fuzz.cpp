// TextToFloat against its accepted set, written out independently, and against the
// C library's correctly rounded reading: equal where the conversion rounds once
// (at most 19 significant digits scaled by at most 10^27), close elsewhere. The
// result must not depend on the caller's floating-point state, which must come back.
#include "app/Errors.h"
#include "app/FormatSettings.h"
#include "app/TextToFloat.h"
#include "app/Utf8.h"
#include "base/FloatEnvironment.h"
#include "fuzz/FloatState.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr char32_t kSeparators[] = {U'.', U',', U'\u00B7', U'\u066B'};

struct TExpected {
    bool Valid = false;
    std::string CText;  // the same number for strtold
    int SignificantDigits = 0;
    long long Scale = 0;  // exponent minus fraction digits
};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Spaces, optional sign, digits, optional separator and digits (at least one digit or
// the separator), optional E/e with optional sign and digits read while the exponent is
// below 500, spaces, end.
TExpected Expected(std::string_view text, std::string_view separator)
{
    TExpected r;
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::string sign;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        sign = text[i++];
    std::string digits;
    long long fraction = 0;
    bool consumed = false;
    for (; i < text.size() && IsDigit(text[i]); ++i, consumed = true)
        digits += text[i];
    if (text.substr(i, separator.size()) == separator) {
        i += separator.size();
        consumed = true;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++fraction)
            digits += text[i];
    }
    if (!consumed)
        return r;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            negative = text[i++] == '-';
        for (; i < text.size() && IsDigit(text[i]) && exponent < 500; ++i)
            exponent = exponent * 10 + (text[i] - '0');
        if (negative)
            exponent = -exponent;
    }
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i != text.size())
        return r;
    r.Valid = true;
    r.Scale = exponent - fraction;
    const std::size_t first = digits.find_first_not_of('0');
    r.SignificantDigits = first == std::string::npos ? 0 : static_cast<int>(digits.size() - first);
    r.CText = sign + (digits.empty() ? "0" : digits) + "e" + std::to_string(r.Scale);
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    DecimalSeparator = kSeparators[data[0] % std::size(kSeparators)];
    const std::uint8_t callerState = data[1];
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    char separatorBytes[4];
    const TExpected expected =
        Expected(text, std::string_view(separatorBytes, EncodeUtf8(DecimalSeparator, separatorBytes)));

    SetFloatEnvironment();
    long double value = 0;
    const bool accepted = TextToFloat(text, value);

    SetCallerFloatState(callerState);
    const TFloatState before = TFloatState::Read();
    long double again = 0;
    const bool acceptedAgain = TextToFloat(text, again);
    Require(TFloatState::Read() == before, "TextToFloat changed the caller's floating-point state");
    SetFloatEnvironment();
    Require(acceptedAgain == accepted && (!accepted || again == value || (std::isnan(again) && std::isnan(value))),
            "TextToFloat depends on the caller's floating-point state");

    try {
        Require(StrToFloat(text) == value && accepted, "StrToFloat differs from TextToFloat");
    } catch (const EConvertError& e) {
        Require(!accepted, "StrToFloat raised for an accepted text");
        Require(e.Message == "'" + std::string(text) + "' ist kein gültiger Gleitkommawert",
                "the message quotes the whole text");
    }

    if (!expected.Valid) {
        Require(!accepted, "TextToFloat accepted a text outside its form");
        return 0;
    }
    const long double exact = std::strtold(expected.CText.c_str(), nullptr);
    const long double magnitude = std::fabs(exact);
    if (std::isinf(exact)) {
        Require(!accepted, "TextToFloat accepted a value beyond the extended range");
        return 0;
    }
    if (magnitude > LDBL_MAX * (1 - 0x1p-50L))
        return 0;  // rounding beside the edge of the range may go either way
    Require(accepted, "TextToFloat rejected a text of its form within range");
    if (magnitude < LDBL_MIN * 0x1p10L) {
        Require(std::fabs(value) <= LDBL_MIN * 0x1p11L, "TextToFloat far off near the underflow");
        return 0;
    }
    if (expected.SignificantDigits <= 19 && std::llabs(expected.Scale) <= 27)
        Require(value == exact, "TextToFloat not correctly rounded where it rounds once");
    else
        Require(std::fabs(value - exact) <= magnitude * 0x1p-50L, "TextToFloat far from the exact value");
    return 0;
}
