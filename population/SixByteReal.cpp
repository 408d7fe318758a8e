#include "population/SixByteReal.h"

#include "base/Exception.h"
#include "base/FloatEnvironment.h"

#include <cstring>

namespace {

constexpr int kExponentOffset = 16383 - 129;  // extended bias minus six-byte bias
constexpr int kDroppedBits = 64 - 40;

struct TExtendedBits {
    uint64_t Significand;  // explicit leading bit
    int Exponent;          // biased, 0 .. 0x7FFF
    bool Negative;
};

TExtendedBits Split(long double x)
{
    unsigned char raw[sizeof(long double)];
    std::memcpy(raw, &x, sizeof raw);
    TExtendedBits bits{};
    std::memcpy(&bits.Significand, raw, 8);
    uint16_t signExponent = 0;
    std::memcpy(&signExponent, raw + 8, 2);
    bits.Exponent = signExponent & 0x7FFF;
    bits.Negative = (signExponent & 0x8000) != 0;
    return bits;
}

long double Join(const TExtendedBits& bits)
{
    unsigned char raw[sizeof(long double)] = {};
    std::memcpy(raw, &bits.Significand, 8);
    const auto signExponent = static_cast<uint16_t>(bits.Exponent | (bits.Negative ? 0x8000 : 0));
    std::memcpy(raw + 8, &signExponent, 2);
    long double x;
    std::memcpy(&x, raw, sizeof x);
    return x;
}

// Keeps the top 40 bits of the significand, rounding halves away from zero; a carry
// out of the significand gives the next power of two.
void RoundSignificand(TExtendedBits& bits)
{
    const uint64_t rounded = bits.Significand + (uint64_t{1} << (kDroppedBits - 1));
    if (rounded < bits.Significand) {
        bits.Significand = uint64_t{1} << 63;
        ++bits.Exponent;
    } else {
        bits.Significand = rounded & ~((uint64_t{1} << kDroppedBits) - 1);
    }
}

}  // namespace

TSixByteReal Ext2Real(long double x)
{
    CheckFloatFaults();
    TExtendedBits bits = Split(x);
    if (bits.Exponent == 0x7FFF && (bits.Significand << 1) != 0)
        RaiseFloatFault(TFloatFault::InvalidOp);  // a NaN that arrived without raising
    if (bits.Exponent == 0 || bits.Significand == 0)
        return {};  // zero, and extended denormals lie far below the six-byte range
    RoundSignificand(bits);
    const int exponent = bits.Exponent - kExponentOffset;
    if (exponent <= 0)
        return {};
    if (exponent > 255)
        RaiseFloatFault(TFloatFault::Overflow);

    const uint64_t kept = bits.Significand >> kDroppedBits;
    TSixByteReal r;
    r.Bytes[0] = static_cast<uint8_t>(exponent);
    for (int i = 1; i <= 5; ++i)
        r.Bytes[i] = static_cast<uint8_t>(kept >> (8 * (i - 1)));
    r.Bytes[5] = static_cast<uint8_t>((r.Bytes[5] & 0x7F) | (bits.Negative ? 0x80 : 0));
    return r;
}

long double Real2Ext(TSixByteReal r)
{
    if (r.Bytes[0] == 0)
        return 0.0L;
    // The bytes are stored least significant first, as the machine reads a word.
    uint64_t raw = 0;
    std::memcpy(&raw, r.Bytes.data(), r.Bytes.size());
    const uint64_t fraction = (raw >> 8) & ((uint64_t{1} << 39) - 1);
    return Join(
        {(uint64_t{1} << 63) | (fraction << kDroppedBits), r.Bytes[0] + kExponentOffset, (r.Bytes[5] & 0x80) != 0});
}
