#include "population/Random.h"

#include <chrono>
#include <cmath>

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
