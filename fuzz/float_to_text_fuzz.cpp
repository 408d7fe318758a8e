// FloatToText on every 80-bit pattern, precision and exponent width: the text fits the
// capacity, has the sign, the digit count and the exponent width asked for, reads back
// close to the value and prints again to the same text (print -> read -> print), and
// neither the text nor the caller's floating-point state depends on that state (it may
// add the silent flags: inexact, underflow, denormal operand).
#include "app/FloatToText.h"
#include "app/FormatSettings.h"
#include "app/TextToFloat.h"
#include "app/Utf8.h"
#include "base/FloatEnvironment.h"
#include "fuzz/FloatState.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr char32_t kSeparators[] = {U'.', U',', U'\u00B7', U'\u066B'};

struct TPrinted {
    std::string Text;
    TFloatState After;
};

// Into a buffer of exactly the capacity, so that the sanitizer sees any write past it.
std::string Print(long double value, int precision, int exponentDigits, char32_t separator)
{
    const auto buffer = std::make_unique<char[]>(kFloatTextCapacity);
    const std::size_t length = FloatToText(buffer.get(), value, precision, exponentDigits, separator);
    Require(length <= kFloatTextCapacity, "FloatToText wrote past its capacity");
    return std::string(buffer.get(), length);
}

int CountDigits(const std::string& text)
{
    int count = 0;
    bool leading = true;
    for (char c : text) {
        if (c < '0' || c > '9')
            continue;
        leading = leading && c == '0';
        count += leading ? 0 : 1;
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 14)
        return 0;
    long double value = 0;
    std::memcpy(&value, data, 10);
    const int precision = data[10] % 18 + 1;
    const int exponentDigits = data[11] % 5;
    const char32_t separator = kSeparators[data[12] % std::size(kSeparators)];

    std::uint16_t signExponent;
    std::uint64_t significand;
    std::memcpy(&significand, data, 8);
    std::memcpy(&signExponent, data + 8, 2);
    const int exponentField = signExponent & 0x7FFF;
    SetFloatEnvironment();
    const std::string text = Print(value, precision, exponentDigits, separator);
    if (exponentField != 0 && exponentField != 0x7FFF && (significand >> 63) == 0)
        return 0;  // an unnormal: no number the arithmetic takes, only the bounds count

    SetCallerFloatState(data[13]);
    const TFloatState before = TFloatState::Read();
    const std::string again = Print(value, precision, exponentDigits, separator);
    Require(TFloatState::Read().Faults() == before.Faults(), "FloatToText changed the caller's floating-point state");
    {
        // A run's conversions inside one arithmetic, as the simulation writes its lines.
        const TExtendedArithmetic arithmetic;
        char held[kFloatTextCapacity];
        Require(std::string(held, FloatToText(arithmetic, held, value, precision, exponentDigits, separator)) == again,
                "FloatToText inside the caller's arithmetic differs");
    }
    Require(TFloatState::Read().Faults() == before.Faults(), "the arithmetic did not restore the caller's state");
    SetFloatEnvironment();
    Require(again == text, "FloatToText depends on the caller's floating-point state");

    if (exponentField == 0) {
        Require(text == "0", "zero and denormal values print as 0");
        return 0;
    }
    if (exponentField == 0x7FFF) {
        Require(text == ((significand << 1) == 0 ? "INF" : "NAN"), "infinities and NaNs print as INF and NAN");
        return 0;
    }

    Require((text[0] == '-') == std::signbit(value), "the sign is written for negative values only");
    Require(CountDigits(text.substr(0, text.find('E'))) <= precision, "more significant digits than asked for");
    if (const std::size_t e = text.find('E'); e != std::string::npos) {
        const std::size_t digits = text.size() - e - 1 - (text[e + 1] == '-' ? 1 : 0);
        Require(digits >= static_cast<std::size_t>(exponentDigits), "fewer exponent digits than asked for");
    }

    DecimalSeparator = separator;
    long double read = 0;
    const bool accepted = TextToFloat(text, read);
    if (!accepted) {
        Require(std::fabs(value) > LDBL_MAX * (1 - std::pow(10.0L, 1 - precision)),
                "a printed text does not read back");
        return 0;
    }
    Require(std::fabs(read - value) <= std::fabs(value) * std::pow(10.0L, 1 - precision),
            "the text reads back far from the value");
    // Beyond 17 digits the reading's last-bit error may show in the last digit.
    if (precision <= 17 && std::fabs(read) >= LDBL_MIN)
        Require(Print(read, precision, exponentDigits, separator) == text, "print -> read -> print changed the text");
    return 0;
}
