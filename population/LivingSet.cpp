#include "LivingSet.h"

#include <array>

// Plain SWAR arithmetic: the portable x86-64 baseline has neither POPCNT nor PDEP.
namespace {

constexpr uint64_t kOnes = 0x0101010101010101ULL;
constexpr uint64_t kHighs = 0x8080808080808080ULL;

// Bit counts per byte.
constexpr uint64_t ByteCounts(uint64_t x)
{
    x = x - ((x >> 1) & 0x5555555555555555ULL);
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    return (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
}

// Position of the (k+1)-th set bit of a byte, for k < 8.
constexpr std::array<uint8_t, 256 * 8> kSelectInByte = [] {
    std::array<uint8_t, 256 * 8> table{};
    for (int byte = 0; byte < 256; ++byte)
        for (int seen = 0, bit = 0; bit < 8; ++bit)
            if ((byte >> bit) & 1)
                table[byte + 256 * (seen++)] = static_cast<uint8_t>(bit);
    return table;
}();

} // namespace

int TLivingSet::PopCount(uint64_t x)
{
    return static_cast<int>((ByteCounts(x) * kOnes) >> 56);
}

int TLivingSet::SelectInWord(uint64_t x, uint32_t k)
{
    const uint64_t prefix = ByteCounts(x) * kOnes;  // byte b: bits set in bytes 0 .. b
    // Bytes whose prefix count is still <= k; the answer lies in the byte after them.
    const uint64_t atMost = ((k * kOnes | kHighs) - prefix) & kHighs;
    const int byte = static_cast<int>(((atMost >> 7) * kOnes) >> 56);
    const int shift = 8 * byte;
    const uint32_t before = byte == 0 ? 0 : static_cast<uint32_t>((prefix >> (shift - 8)) & 0xFF);
    return shift + kSelectInByte[((x >> shift) & 0xFF) + 256 * (k - before)];
}
