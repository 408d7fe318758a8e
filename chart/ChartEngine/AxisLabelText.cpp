#include "chart/ChartEngine/AxisLabelText.h"

#include <cmath>
#include <cstdint>

#include "app/FloatToText.h"
#include "app/PowerOfTen.h"
#include "app/Utf8.h"

namespace {

struct TDigitPattern {
    bool Grouping = false;
    int MinIntegerDigits = 0;
    int MinDecimals = 0;
    int MaxDecimals = 0;
};

constexpr int kSignificant = 18;

TDigitPattern ParsePattern(const std::string& pattern)
{
    TDigitPattern p;
    bool decimals = false;
    for (char c : pattern) {
        if (c == '.') {
            decimals = true;
        } else if (decimals) {
            if (c == '0' || c == '#') {
                if (c == '0')
                    ++p.MinDecimals;
                ++p.MaxDecimals;
            }
        } else if (c == ',') {
            p.Grouping = true;
        } else if (c == '0') {
            ++p.MinIntegerDigits;
        }
    }
    return p;
}

// |value| = 0.d1 d2 ... d18 × 10^Exponent, the digits from one extended-precision scaling
// rounded to the nearest integer (ties to even).
struct TDecimalDigits {
    std::string Digits;
    int Exponent = 0;
};

TDecimalDigits Decompose(long double magnitude)
{
    TDecimalDigits d;
    d.Exponent = ((ilogbl(magnitude) * 19728) >> 16) + 1;
    long double s = nearbyintl(ScalePowerOfTen(magnitude, kSignificant - d.Exponent));
    if (s >= 1e18L) {
        s = nearbyintl(s / 10.0L);
        ++d.Exponent;
    }
    auto n = static_cast<std::uint64_t>(s);
    d.Digits.assign(kSignificant, '0');
    for (int i = kSignificant - 1; i >= 0; --i) {
        d.Digits[i] = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    return d;
}

// Keeps the first `keep` digits, rounding half-up on the next one. Returns false when nothing
// non-zero remains.
bool RoundDigits(TDecimalDigits& d, int keep)
{
    if (keep < 0)
        return false;
    if (keep >= static_cast<int>(d.Digits.size()))
        return true;
    const bool up = d.Digits[keep] >= '5';
    d.Digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.Digits[i] == '9')
            d.Digits[i--] = '0';
        if (i < 0) {
            d.Digits.assign(1, '1');
            ++d.Exponent;
        } else {
            ++d.Digits[i];
        }
    }
    return d.Digits.find_first_not_of('0') != std::string::npos;
}

std::string GroupThousands(const std::string& digits, char32_t separator)
{
    std::string out;
    const int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            AppendUtf8(out, separator);
        out += digits[i];
    }
    return out;
}

}  // namespace

std::string FormatAxisValue(double value, const std::string& pattern, char32_t decimalSeparator,
                            char32_t thousandSeparator)
{
    const TDigitPattern p = ParsePattern(pattern);
    const long double magnitude = std::fabs(static_cast<long double>(value));

    std::string integerDigits;
    std::string decimalDigits;
    bool minus = false;
    if (magnitude != 0.0L) {
        TDecimalDigits d = Decompose(magnitude);
        if (d.Exponent > kSignificant) {
            char buffer[kFloatTextCapacity];
            return std::string(buffer, FloatToText(buffer, value, 15, 0, decimalSeparator));
        }
        // A value that rounds to zero is written without a sign.
        if (RoundDigits(d, d.Exponent + p.MaxDecimals)) {
            minus = value < 0;
            const int count = static_cast<int>(d.Digits.size());
            for (int i = 0; i < d.Exponent; ++i)
                integerDigits += i < count ? d.Digits[i] : '0';
            for (int i = d.Exponent; i < count; ++i)
                decimalDigits += i < 0 ? '0' : d.Digits[i];
        }
    }

    if (static_cast<int>(integerDigits.size()) < p.MinIntegerDigits)
        integerDigits.insert(0, p.MinIntegerDigits - integerDigits.size(), '0');
    if (p.Grouping)
        integerDigits = GroupThousands(integerDigits, thousandSeparator);

    while (static_cast<int>(decimalDigits.size()) > p.MinDecimals && decimalDigits.back() == '0')
        decimalDigits.pop_back();
    if (static_cast<int>(decimalDigits.size()) < p.MinDecimals)
        decimalDigits.append(p.MinDecimals - decimalDigits.size(), '0');

    std::string out = (minus ? "-" : "") + integerDigits;
    if (!decimalDigits.empty()) {
        AppendUtf8(out, decimalSeparator);
        out += decimalDigits;
    }
    return out;
}
