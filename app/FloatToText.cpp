#include "app/FloatToText.h"

#include "app/PowerOfTen.h"
#include "app/Utf8.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// "00" "01" ... "99": two digits per division.
constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

constexpr int kDigits = 18;

struct TExtendedBits {
    std::uint64_t Significand;
    std::uint16_t SignExponent;
};

TExtendedBits BitsOf(long double value)
{
    TExtendedBits bits;
    std::memcpy(&bits.Significand, &value, sizeof bits.Significand);
    std::memcpy(&bits.SignExponent, reinterpret_cast<const char*>(&value) + 8, sizeof bits.SignExponent);
    return bits;
}

// The value's decimal digits: value = 0.Digits * 10^Exponent, Count digits
// without trailing zeros.
struct TDecimal {
    char Digits[kDigits];
    int Count;
    int Exponent;
};

// Nearest integer, ties to even under the environment's rounding, for |x| < 2^63.
std::int64_t RoundToInt64(long double x)
{
    std::int64_t r;
    asm("fistpll %0" : "=m"(r) : "t"(x) : "st");
    return r;
}

constexpr std::int64_t kLow = 100000000000000000;    // 10^17
constexpr std::int64_t kHigh = 1000000000000000000;  // 10^18

// Scales to 18 integer digits in extended arithmetic: round to nearest even,
// and when that gives 19 digits, divide by 10 and round again.
std::uint64_t EighteenDigits(long double magnitude, int& exponent)
{
    long double y = ScalePowerOfTen(magnitude, kDigits - exponent);
    // The estimate is never too high above 1e-205; below, rescale by one more
    // digit so that the first digit is never a zero.
    if (y < static_cast<long double>(kLow) - 0.5L) {
        --exponent;
        y = ScalePowerOfTen(magnitude, kDigits - exponent);
    }
    if (y >= 0x1p63L) {
        ++exponent;
        return static_cast<std::uint64_t>(RoundToInt64(std::rint(y) / 10.0L));
    }
    std::int64_t s = RoundToInt64(y);
    if (s >= kHigh) {
        ++exponent;
        s = RoundToInt64(static_cast<long double>(s) / 10.0L);
    }
    return static_cast<std::uint64_t>(s);
}

// Four digits of n < 10^4.
void PutFour(char* out, std::uint32_t n)
{
    std::memcpy(out, &kDigitPairs[2 * std::size_t{n / 100}], 2);
    std::memcpy(out + 2, &kDigitPairs[2 * std::size_t{n % 100}], 2);
}

// Nine digits of n < 10^9, most significant first; the two halves are
// independent, so their divisions overlap.
void PutNine(char* out, std::uint32_t n)
{
    const std::uint32_t high = n / 10000;
    out[0] = static_cast<char>('0' + high / 10000);
    PutFour(out + 1, high % 10000);
    PutFour(out + 5, n % 10000);
}

TDecimal Decompose(long double magnitude, int binaryExponent, int precision)
{
    TDecimal d;
    d.Exponent = ((binaryExponent * 19728) >> 16) + 1;
    const std::uint64_t s = EighteenDigits(magnitude, d.Exponent);
    PutNine(d.Digits, static_cast<std::uint32_t>(s / 1000000000));
    PutNine(d.Digits + 9, static_cast<std::uint32_t>(s % 1000000000));

    // Second rounding: half up at the first dropped digit, carrying to the left.
    d.Count = precision;
    if (precision < kDigits && d.Digits[precision] >= '5') {
        int i = precision - 1;
        while (i >= 0 && d.Digits[i] == '9')
            d.Digits[i--] = '0';
        if (i >= 0) {
            ++d.Digits[i];
        } else {
            d.Digits[0] = '1';
            d.Count = 1;
            ++d.Exponent;
        }
    }
    while (d.Count > 1 && d.Digits[d.Count - 1] == '0')
        --d.Count;
    return d;
}

char* PutExponent(char* out, int exponent, int minimumDigits)
{
    if (exponent < 0) {
        *out++ = '-';
        exponent = -exponent;
    }
    char reversed[8];
    int n = 0;
    do {
        reversed[n++] = static_cast<char>('0' + exponent % 10);
        exponent /= 10;
    } while (exponent != 0);
    for (int pad = minimumDigits; pad > n && pad > 0; --pad)
        *out++ = '0';
    while (n > 0)
        *out++ = reversed[--n];
    return out;
}

char* PutDigits(char* out, const char* digits, int count)
{
    std::memcpy(out, digits, static_cast<std::size_t>(count));
    return out + count;
}

}  // namespace

std::size_t FloatToText(char* buffer, long double value, int precision, int exponentDigits, char32_t separator)
{
    const TExtendedArithmetic arithmetic;
    return FloatToText(arithmetic, buffer, value, precision, exponentDigits, separator);
}

std::size_t FloatToText(const TExtendedArithmetic& /*arithmetic*/, char* buffer, long double value, int precision,
                        int exponentDigits, char32_t separator)
{
    char* out = buffer;
    const TExtendedBits bits = BitsOf(value);
    const int exponentField = bits.SignExponent & 0x7FFF;
    if (exponentField == 0) {
        *out++ = '0';
        return 1;
    }
    if (exponentField == 0x7FFF) {
        const bool infinite = (bits.Significand << 1) == 0;
        std::copy_n(infinite ? "INF" : "NAN", 3, out);
        return 3;
    }
    precision = precision < 1 ? 1 : (precision > kDigits ? kDigits : precision);
    exponentDigits = exponentDigits > 4 ? 4 : exponentDigits;

    const bool negative = (bits.SignExponent & 0x8000) != 0;
    const TDecimal d = Decompose(negative ? -value : value, exponentField - 16383, precision);
    if (negative)
        *out++ = '-';
    if (d.Exponent > precision || d.Exponent < -3) {
        *out++ = d.Digits[0];
        if (d.Count > 1) {
            out += EncodeUtf8(separator, out);
            out = PutDigits(out, d.Digits + 1, d.Count - 1);
        }
        *out++ = 'E';
        out = PutExponent(out, d.Exponent - 1, exponentDigits);
    } else if (d.Exponent <= 0) {
        *out++ = '0';
        out += EncodeUtf8(separator, out);
        for (int i = d.Exponent; i < 0; ++i)
            *out++ = '0';
        out = PutDigits(out, d.Digits, d.Count);
    } else if (d.Count <= d.Exponent) {
        out = PutDigits(out, d.Digits, d.Count);
        for (int i = d.Count; i < d.Exponent; ++i)
            *out++ = '0';
    } else {
        out = PutDigits(out, d.Digits, d.Exponent);
        out += EncodeUtf8(separator, out);
        out = PutDigits(out, d.Digits + d.Exponent, d.Count - d.Exponent);
    }
    return static_cast<std::size_t>(out - buffer);
}

std::string FloatToStr(long double value)
{
    char buffer[kFloatTextCapacity];
    return std::string(buffer, FloatToText(buffer, value, 15, 0));
}
