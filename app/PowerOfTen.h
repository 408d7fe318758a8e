#pragma once
// Power-of-ten scaling in extended precision, shared by both float conversions.
// Inline: a conversion scales once per call, and that call is most of its cost.

// The extended values nearest to 10^k, 10^(32k) and 10^(512k) for k from 1.
extern const long double kPow10Units[32];    // 10^0 .. 10^31
extern const long double kPow10Tens[15];     // 10^32 .. 10^480
extern const long double kPow10Hundreds[9];  // 10^512 .. 10^4608

inline long double ApplyPowerFactor(long double x, long double factor, bool down)
{
    return down ? x / factor : x * factor;
}

// x multiplied (n > 0) or divided (n < 0) by 10^|n|, in turn by the factors
// 10^(|n| mod 32), 10^(32 * ((|n| div 32) mod 16)) and 10^(512 * (|n| div 512)),
// each skipped when its exponent is 0 and each step rounded.
inline long double ScalePowerOfTen(long double x, int n)
{
    const bool down = n < 0;
    unsigned magnitude = down ? 0u - static_cast<unsigned>(n) : static_cast<unsigned>(n);
    // Exponents past the tables (only from very long texts) are applied in
    // steps of the largest factor first, so that no table is overrun.
    while (magnitude >= 5120) {
        x = ApplyPowerFactor(x, kPow10Hundreds[8], down);
        magnitude -= 4608;
    }
    if (magnitude % 32 != 0)
        x = ApplyPowerFactor(x, kPow10Units[magnitude % 32], down);
    if ((magnitude / 32) % 16 != 0)
        x = ApplyPowerFactor(x, kPow10Tens[(magnitude / 32) % 16 - 1], down);
    if (magnitude / 512 != 0)
        x = ApplyPowerFactor(x, kPow10Hundreds[magnitude / 512 - 1], down);
    return x;
}
