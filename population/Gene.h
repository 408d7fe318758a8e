#pragma once
// A chromosome: a fixed array of places plus a length. Places beyond the length keep
// their characters (a killed organism keeps what it held); a zero character is a place
// that holds no base. Genes hold characters, so a non-ASCII letter is one place.
#include "population/Random.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

template <std::size_t Capacity>
struct TGene {
    static constexpr std::size_t kCapacity = Capacity;

    std::array<char32_t, Capacity> Places{};
    uint8_t Length = 0;

    // Places 1 .. min(|text|, Capacity) from text, every further place empty.
    void Assign(std::u32string_view text)
    {
        const std::size_t n = std::min(text.size(), Capacity);
        Places.fill(U'\0');
        std::copy_n(text.begin(), n, Places.begin());
        Length = static_cast<uint8_t>(n);
    }

    std::u32string_view Text() const { return {Places.data(), Length}; }
    bool Alive() const { return Length != 0; }

    friend bool operator==(const TGene&, const TGene&) = default;
};

using TGene10 = TGene<10>;
using TGene20 = TGene<20>;

constexpr bool IsGC(char32_t c)
{
    return c == U'G' || c == U'C';
}

// Places holding G or C, whatever the length.
template <std::size_t N>
unsigned CountGC(const TGene<N>& gene)
{
    return static_cast<unsigned>(std::count_if(gene.Places.begin(), gene.Places.end(), IsGC));
}

// Places equal to the same place of the initial gene; a place of the initial gene
// that holds no base never matches.
template <std::size_t N, std::size_t M>
unsigned CountMatches(const TGene<N>& gene, const TGene<M>& initGen)
{
    unsigned m = 0;
    for (std::size_t p = 0; p < std::min(N, M); ++p)
        m += initGen.Places[p] != U'\0' && gene.Places[p] == initGen.Places[p];
    return m;
}

// The base of a draw Random(4): 0, 1, 2, 3 give A, T, C, G.
inline constexpr char32_t kBases[4] = {U'A', U'T', U'C', U'G'};

// Advances the generator once for a base.
inline char32_t RandomBase()
{
    return kBases[Random(4)];
}
