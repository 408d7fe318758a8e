#include "GenerationTables.h"

#include <cmath>

uint32_t FirstOverflowingDraw(long double factor)
{
    // Overflow means a six-byte exponent above 255 after rounding; |r × factor| grows with r.
    constexpr long double kTooLarge = 0x1p127L - 0x1p86L;  // rounds up to 2^127
    uint32_t r = 1;
    while (r < 100 && std::fabs(r * factor) < kTooLarge)
        ++r;
    return r;
}

void TMutationBound::Build(Real48 rate, long double threshold)
{
    uint32_t k = 0;
    while (k < 100 && k < threshold)
        ++k;
    Seed = DrawBound(100, k);
    Rate = rate;
    Valid = true;
}

bool TGCSum::FitsExactly(long double unit, unsigned maxTotal)
{
    if (!(unit > 0))
        return false;
    int exponent = 0;
    const long double mantissa = std::frexp(unit, &exponent);  // [0.5, 1)
    auto significand = static_cast<uint64_t>(std::ldexp(mantissa, 64));
    int bits = 64;
    while ((significand & 1) == 0) {
        significand >>= 1;
        --bits;
    }
    int totalBits = 0;
    while ((maxTotal >> totalBits) != 0)
        ++totalBits;
    return bits + totalBits <= 40;
}
