#include "population/Random.h"

#include "population/Exception.h"
#include "population/FloatEnvironment.h"

#include <chrono>
#include <cmath>
#include <limits>

uint32_t RandSeed = 0;

void Randomize()
{
    using namespace std::chrono;
    // Unix time has no leap seconds, so the remainder is the UTC time of day.
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    RandSeed = static_cast<uint32_t>(ms % (24LL * 60 * 60 * 1000));
}

uint32_t Random(uint32_t n)
{
    RandSeed = NextSeed(RandSeed);
    return ScaleSeed(RandSeed, n);
}

long double Random()
{
    RandSeed = NextSeed(RandSeed);
    return std::ldexp(static_cast<long double>(RandSeed), -32);
}

int32_t Round(long double x)
{
    CheckFloatFaults();
    // Adding 1.5 × 2^63 leaves no fraction bits, so the environment's rounding (to
    // nearest, ties to even: the constant is even) rounds x; subtracting is exact.
    constexpr long double kShift = 0x1.8p63L;
    if (!(std::fabs(x) < 0x1p62L))
        RaiseFloatFault(TFloatFault::InvalidOp);  // far out of range, or not a number
    const long double r = (x + kShift) - kShift;
    if (!(r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max()))
        RaiseFloatFault(TFloatFault::InvalidOp);
    return static_cast<int32_t>(r);
}
