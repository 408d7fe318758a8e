#pragma once
// The living places of a population (0 .. 99) as a bit set that keeps its count and
// finds the k-th living place without a scan, so reproduction costs the same
// whatever the number of survivors.
#include <array>
#include <cstdint>

namespace BitCount {

// Plain SWAR arithmetic: the portable x86-64 baseline has neither POPCNT nor PDEP.
inline constexpr uint64_t kOnes = 0x0101010101010101ULL;
inline constexpr uint64_t kHighs = 0x8080808080808080ULL;

// Bit counts per byte.
constexpr uint64_t ByteCounts(uint64_t x)
{
    x = x - ((x >> 1) & 0x5555555555555555ULL);
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    return (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
}

constexpr int PopCount(uint64_t x)
{
    return static_cast<int>((ByteCounts(x) * kOnes) >> 56);
}

// Position of the (k+1)-th set bit within a byte, table index byte + 256 k.
extern const std::array<uint8_t, std::size_t{256} * 8> kSelectInByte;

// Position of the (k+1)-th set bit of x; k < PopCount(x).
inline int Select(uint64_t x, uint32_t k)
{
    const uint64_t prefix = ByteCounts(x) * kOnes;  // byte b: bits set in bytes 0 .. b
    // Bytes whose prefix count is still <= k; the bit lies in the byte after them.
    const uint64_t atMost = ((k * kOnes | kHighs) - prefix) & kHighs;
    const int shift = 8 * static_cast<int>(((atMost >> 7) * kOnes) >> 56);
    const auto before = static_cast<uint32_t>(((prefix << 8) >> shift) & 0xFF);
    return shift + kSelectInByte[((x >> shift) & 0xFF) + 256 * uint64_t{k - before}];
}

}  // namespace BitCount

class TLivingSet {
public:
    static constexpr int kPlaces = 100;

    void Clear()
    {
        FWords = {};
        FLowCount = FCount = 0;
    }

    int Count() const { return FCount; }
    uint64_t Word(int w) const { return FWords[w]; }

    // Dead places: the complement of the set within 0 .. 99.
    uint64_t DeadWord(int w) const { return ~FWords[w] & (w == 0 ? ~uint64_t{0} : (uint64_t{1} << 36) - 1); }

    void Set(int place)
    {
        FWords[place >> 6] |= uint64_t{1} << (place & 63);
        ++FCount;
        FLowCount += place < 64;
    }

    // Removes the living places among the given places of word w.
    void RemoveWord(int w, uint64_t places)
    {
        const uint64_t removed = FWords[w] & places;
        FWords[w] &= ~removed;
        const int n = BitCount::PopCount(removed);
        FCount -= n;
        FLowCount -= w == 0 ? n : 0;
    }

    // The (k+1)-th living place in place order; k < Count().
    int Select(uint32_t k) const
    {
        if (static_cast<int>(k) < FLowCount)
            return BitCount::Select(FWords[0], k);
        return 64 + BitCount::Select(FWords[1], k - static_cast<uint32_t>(FLowCount));
    }

private:
    std::array<uint64_t, 2> FWords{};
    int FCount = 0;
    int FLowCount = 0;  // living places 0 .. 63
};
