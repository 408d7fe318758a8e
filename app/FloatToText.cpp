#include "app/FloatToText.h"

#include "app/PowerOfTen.h"
#include "app/Utf8.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint64_t kPow10[19] = {
    1ull,
    10ull,
    100ull,
    1000ull,
    10000ull,
    100000ull,
    1000000ull,
    10000000ull,
    100000000ull,
    1000000000ull,
    10000000000ull,
    100000000000ull,
    1000000000000ull,
    10000000000000ull,
    100000000000000ull,
    1000000000000000ull,
    10000000000000000ull,
    100000000000000000ull,
    1000000000000000000ull,
};

constexpr int kDigits = 18;

struct TExtendedBits {
    std::uint64_t Significand;
    std::uint16_t SignExponent;
};

TExtendedBits BitsOf(long double value)
{
    TExtendedBits bits;
    std::memcpy(&bits.Significand, &value, sizeof bits.Significand);
    std::memcpy(&bits.SignExponent, reinterpret_cast<const char*>(&value) + 8,
                sizeof bits.SignExponent);
    return bits;
}

// The value's decimal digits: value = 0.Digits * 10^Exponent, Count digits
// without trailing zeros.
struct TDecimal {
    char Digits[kDigits];
    int Count;
    int Exponent;
};

// Scales to 18 integer digits in extended arithmetic, rounding to nearest even.
std::uint64_t EighteenDigits(long double magnitude, int& exponent)
{
    long double s = std::rint(ScalePowerOfTen(magnitude, kDigits - exponent));
    // The estimate is never too high above 1e-205; below, rescale by one more
    // digit so that the first digit is never a zero.
    if (s < 1e17L) {
        --exponent;
        s = std::rint(ScalePowerOfTen(magnitude, kDigits - exponent));
    }
    if (s >= 1e18L) {
        s = std::rint(s / 10.0L);
        ++exponent;
    }
    return static_cast<std::uint64_t>(s);
}

TDecimal Decompose(long double magnitude, int binaryExponent, int precision)
{
    TDecimal d;
    d.Exponent = ((binaryExponent * 19728) >> 16) + 1;
    const std::uint64_t s = EighteenDigits(magnitude, d.Exponent);

    // Second rounding: half up at the first dropped digit.
    std::uint64_t kept = s;
    if (precision < kDigits) {
        kept = s / kPow10[kDigits - precision];
        if (s / kPow10[kDigits - precision - 1] % 10 >= 5)
            ++kept;
        if (kept == kPow10[precision]) {
            kept = kPow10[precision - 1];
            ++d.Exponent;
        }
    }
    for (int i = precision - 1; i >= 0; --i) {
        d.Digits[i] = static_cast<char>('0' + kept % 10);
        kept /= 10;
    }
    d.Count = precision;
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

} // namespace

std::size_t FloatToText(char* buffer, long double value, int precision, int exponentDigits,
                        char32_t separator)
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
        std::memcpy(out, infinite ? "INF" : "NAN", 3);
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
