#include "app/PowerOfTen.h"

namespace {

// The extended values nearest to the exact powers (hexadecimal literals are exact).
constexpr long double kPow10Units[32] = {
    0x1P+0L, // 1e0
    0xAP+0L, // 1e1
    0x64P+0L, // 1e2
    0x3E8P+0L, // 1e3
    0x2710P+0L, // 1e4
    0x186A0P+0L, // 1e5
    0xF4240P+0L, // 1e6
    0x989680P+0L, // 1e7
    0x5F5E100P+0L, // 1e8
    0x3B9ACA00P+0L, // 1e9
    0x2540BE400P+0L, // 1e10
    0x174876E800P+0L, // 1e11
    0xE8D4A51000P+0L, // 1e12
    0x9184E72A000P+0L, // 1e13
    0x5AF3107A4000P+0L, // 1e14
    0x38D7EA4C68000P+0L, // 1e15
    0x2386F26FC10000P+0L, // 1e16
    0x16345785D8A0000P+0L, // 1e17
    0xDE0B6B3A7640000P+0L, // 1e18
    0x8AC7230489E80000P+0L, // 1e19
    0xAD78EBC5AC620000P+3L, // 1e20
    0xD8D726B7177A8000P+6L, // 1e21
    0x878678326EAC9000P+10L, // 1e22
    0xA968163F0A57B400P+13L, // 1e23
    0xD3C21BCECCEDA100P+16L, // 1e24
    0x84595161401484A0P+20L, // 1e25
    0xA56FA5B99019A5C8P+23L, // 1e26
    0xCECB8F27F4200F3AP+26L, // 1e27
    0x813F3978F8940984P+30L, // 1e28
    0xA18F07D736B90BE5P+33L, // 1e29
    0xC9F2C9CD04674EDFP+36L, // 1e30
    0xFC6F7C4045812296P+39L, // 1e31
};

constexpr long double kPow10Tens[15] = {
    0x9DC5ADA82B70B59EP+43L, // 1e32
    0xC2781F49FFCFA6D5P+149L, // 1e64
    0xEFB3AB16C59B14A3P+255L, // 1e96
    0x93BA47C980E98CE0P+362L, // 1e128
    0xB616A12B7FE617AAP+468L, // 1e160
    0xE070F78D3927556BP+574L, // 1e192
    0x8A5296FFE33CC930P+681L, // 1e224
    0xAA7EEBFB9DF9DE8EP+787L, // 1e256
    0xD226FC195C6A2F8CP+893L, // 1e288
    0x81842F29F2CCE376P+1000L, // 1e320
    0x9FA42700DB900AD2P+1106L, // 1e352
    0xC4C5E310AEF8AA17P+1212L, // 1e384
    0xF28A9C07E9B09C59P+1318L, // 1e416
    0x957A4AE1EBF7F3D4P+1425L, // 1e448
    0xB83ED8DC0795A262P+1531L, // 1e480
};

constexpr long double kPow10Hundreds[9] = {
    0xE319A0AEA60E91C7P+1637L, // 1e512
    0xC976758681750C17P+3338L, // 1e1024
    0xB2B8353B3993A7E4P+5039L, // 1e1536
    0x9E8B3B5DC53D5DE5P+6740L, // 1e2048
    0x8CA554C020A1F0A6P+8441L, // 1e2560
    0xF9895D25D88B5A8BP+10141L, // 1e3072
    0xDD5DC8A2BF27F3F8P+11842L, // 1e3584
    0xC46052028A20979BP+13543L, // 1e4096
    0xAE3511626ED559F0P+15244L, // 1e4608
};

// Applies 10^n for 0 <= n < 5120 by up to three factors, each rounded.
long double ScaleUp(long double x, unsigned n)
{
    if (n % 32 != 0)
        x *= kPow10Units[n % 32];
    if ((n / 32) % 16 != 0)
        x *= kPow10Tens[(n / 32) % 16 - 1];
    if (n / 512 != 0)
        x *= kPow10Hundreds[n / 512 - 1];
    return x;
}

long double ScaleDown(long double x, unsigned n)
{
    if (n % 32 != 0)
        x /= kPow10Units[n % 32];
    if ((n / 32) % 16 != 0)
        x /= kPow10Tens[(n / 32) % 16 - 1];
    if (n / 512 != 0)
        x /= kPow10Hundreds[n / 512 - 1];
    return x;
}

constexpr unsigned kTableLimit = 5120;
constexpr unsigned kLargestStep = 4608;

} // namespace

long double ScalePowerOfTen(long double x, int n)
{
    // Exponents past the tables (only from very long texts) are applied in
    // steps of the largest factor first, so that no table is overrun.
    unsigned magnitude = n < 0 ? 0u - static_cast<unsigned>(n) : static_cast<unsigned>(n);
    while (magnitude >= kTableLimit) {
        x = n < 0 ? x / kPow10Hundreds[8] : x * kPow10Hundreds[8];
        magnitude -= kLargestStep;
    }
    return n < 0 ? ScaleDown(x, magnitude) : ScaleUp(x, magnitude);
}
