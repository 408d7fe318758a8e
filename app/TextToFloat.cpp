#include "app/TextToFloat.h"

#include "app/Errors.h"
#include "app/FormatSettings.h"
#include "app/PowerOfTen.h"
#include "app/Utf8.h"

#include <cfenv>
#include <cstdint>
#include <fpu_control.h>

namespace {

// Holds the caller's floating-point environment for one conversion: all
// exceptions masked and flags cleared, 64-bit precision, round to nearest;
// the destructor brings back the caller's control state and sticky flags.
class TConversionEnvironment {
public:
    TConversionEnvironment()
    {
        std::feholdexcept(&FSaved);
        fpu_control_t cw;
        _FPU_GETCW(cw);
        cw = (cw & ~_FPU_EXTENDED) | _FPU_EXTENDED;
        _FPU_SETCW(cw);
        std::fesetround(FE_TONEAREST);
    }
    ~TConversionEnvironment() { std::fesetenv(&FSaved); }
    TConversionEnvironment(const TConversionEnvironment&) = delete;
    TConversionEnvironment& operator=(const TConversionEnvironment&) = delete;

    static bool Failed() { return std::fetestexcept(FE_INVALID | FE_OVERFLOW) != 0; }

private:
    std::fenv_t FSaved;
};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Keeps the compiler from moving the arithmetic past the flag test.
long double Settled(long double x)
{
    volatile long double v = x;
    return v;
}

// Exponents beyond this give 0 or an overflow for every finite mantissa.
constexpr std::int64_t kScaleClamp = 20000;

}  // namespace

bool TextToFloat(std::string_view text, long double& value)
{
    TConversionEnvironment environment;

    char separatorBytes[4];
    const std::string_view separator(separatorBytes, EncodeUtf8(DecimalSeparator, separatorBytes));

    const std::size_t end = text.size();
    std::size_t i = 0;
    while (i < end && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';

    const std::size_t mantissaStart = i;
    long double m = 0.0L;
    for (; i < end && IsDigit(text[i]); ++i)
        m = m * 10.0L + static_cast<long double>(text[i] - '0');
    std::int64_t fractionDigits = 0;
    if (text.substr(i, separator.size()) == separator) {
        i += separator.size();
        for (; i < end && IsDigit(text[i]); ++i, ++fractionDigits)
            m = m * 10.0L + static_cast<long double>(text[i] - '0');
    }
    if (i == mantissaStart)
        return false;

    std::int64_t exponent = 0;
    if (i < end && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        for (; i < end && IsDigit(text[i]) && exponent < 500; ++i)
            exponent = exponent * 10 + (text[i] - '0');
        if (negativeExponent)
            exponent = -exponent;
    }
    while (i < end && text[i] == ' ')
        ++i;
    if (i != end)
        return false;

    std::int64_t k = exponent - fractionDigits;
    k = k < -kScaleClamp ? -kScaleClamp : (k > kScaleClamp ? kScaleClamp : k);
    long double result = Settled(ScalePowerOfTen(m, static_cast<int>(k)));
    if (negative)
        result = -result;
    if (TConversionEnvironment::Failed())
        return false;
    value = result;
    return true;
}

long double StrToFloat(std::string_view text)
{
    long double value;
    if (!TextToFloat(text, value))
        throw ConvertError(kInvalidFloatMessage, text);
    return value;
}
