#include "population/GenerationTables.h"

#include <cmath>
#include <stdexcept>

TParasiteDraws TParasitePlaces::Draw(uint32_t seed) const
{
    const __m128i seeds = SeedLanes(seed);
    uint64_t killed[2] = {Always[0], Always[1]};
    for (std::size_t base = 0; base < 100; base += 4) {
        const __m128i bounds = _mm_load_si128(reinterpret_cast<const __m128i*>(Bound.data() + base));
        const uint64_t bits = LanesAbove(kJumpLanes.Draws(seeds, base + 1), bounds);
        killed[base >> 6] |= bits << (base & 63);
    }
    TParasiteDraws d;
    d.Killed = {killed[0], killed[1]};
    d.Seed = kJumps[100](seed);
    return d;
}

uint32_t FirstOverflowingDraw(long double factor)
{
    // Overflow means a six-byte exponent above 255 after rounding; |r × factor| grows with r.
    constexpr long double kTooLarge = 0x1p127L - 0x1p86L;  // rounds up to 2^127
    uint32_t r = 1;
    while (r < 100 && std::fabs(r * factor) < kTooLarge)
        ++r;
    return r;
}

void TMutationBound::Build(TSixByteReal rate, long double threshold)
{
    uint32_t k = 0;
    while (k < 100 && k < threshold)
        ++k;
    Seed = DrawBound(100, k);
    Rate = rate;
    Valid = true;
}

void TGCSum::BuildBits(const long double* values, std::size_t counts, unsigned chromosomes)
{
    // Six-byte measures have 40 significant bits: the smallest non-zero one has the finest last bit.
    int exponent = 0;
    std::frexp(values[1], &exponent);
    BitExponent = exponent - 40;
    for (std::size_t c = 0; c < counts; ++c) {
        Bits[c] = static_cast<uint64_t>(std::ldexp(values[c], -BitExponent));
        // The measures grow with the count, so all are whole numbers of that bit; the
        // population's sum stays below 2^63 bits, where the extended sum is exact too.
        if (FromBits(Bits[c]) != values[c] || Bits[c] >= (uint64_t{1} << 62) / chromosomes)
            throw std::logic_error("GC measures outside the integer sum's range");
    }
}

long double TGCSum::FromBits(uint64_t bits) const
{
    return std::ldexp(static_cast<long double>(bits), BitExponent);
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
