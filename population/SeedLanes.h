#pragma once
// Draws four at a time in SSE2 registers: lane k of a group holds the seed after jump k of a
// table of jumps, all from one base seed, and is compared with a bound as an unsigned number.
#include "population/Random.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <emmintrin.h>

// Multipliers and increments of a table of jumps, each in its own array, so four neighbouring
// jumps load as one register.
template <std::size_t N>
struct TJumpLanes {
    std::array<uint32_t, N> Multipliers{};
    std::array<uint32_t, N> Increments{};

    // The seeds after jumps first .. first + 3 from seed.
    __m128i Draws(__m128i seeds, std::size_t first) const
    {
        const __m128i multipliers = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Multipliers.data() + first));
        const __m128i increments = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Increments.data() + first));
        // Low 32 bits of seed × multiplier: lanes 0 and 2, then 1 and 3, interleaved again.
        const __m128i even = _mm_mul_epu32(seeds, multipliers);
        const __m128i odd = _mm_mul_epu32(seeds, _mm_srli_epi64(multipliers, 32));
        const __m128i products = _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(3, 1, 2, 0)),
                                                    _mm_shuffle_epi32(odd, _MM_SHUFFLE(3, 1, 2, 0)));
        return _mm_add_epi32(products, increments);
    }
};

template <std::size_t N, typename TJumps>
constexpr TJumpLanes<N> MakeJumpLanes(const TJumps& jumps)
{
    TJumpLanes<N> lanes;
    for (std::size_t k = 0; k < N; ++k) {
        lanes.Multipliers[k] = jumps[k].Multiplier;
        lanes.Increments[k] = jumps[k].Increment;
    }
    return lanes;
}

inline __m128i SeedLanes(uint32_t seed)
{
    return _mm_set1_epi32(static_cast<int>(seed));
}

// Four bits: lane k of a above lane k of b, both unsigned.
inline unsigned LanesAbove(__m128i a, __m128i b)
{
    const __m128i sign = _mm_set1_epi32(static_cast<int>(0x80000000u));
    const __m128i above = _mm_cmpgt_epi32(_mm_xor_si128(a, sign), _mm_xor_si128(b, sign));
    return static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(above)));
}
