#pragma once
// The six-byte real: exponent byte (bias 129, 0 = zero), 39-bit fraction least
// significant byte first, sign in the top bit of byte 5. Values carry 40 significant bits.
#include <array>
#include <cstdint>
#include <cstring>

struct TSixByteReal {
    std::array<uint8_t, 6> Bytes{};

    // As one word: the model compares reals in its inner loops, where a library call
    // per comparison of six bytes would cost more than the loop's own work.
    friend bool operator==(const TSixByteReal& a, const TSixByteReal& b)
    {
        std::uint64_t x = 0;
        std::uint64_t y = 0;
        std::memcpy(&x, a.Bytes.data(), a.Bytes.size());
        std::memcpy(&y, b.Bytes.data(), b.Bytes.size());
        return x == y;
    }
};

// Rounds to 40 significant bits (halves away from zero); underflow gives zero,
// magnitudes of 2^127 and above raise EOverflow. A floating fault pending from
// the computation of x surfaces here as its own exception.
TSixByteReal Ext2Real(long double x);

// Exact.
long double Real2Ext(TSixByteReal r);

// The value after a trip through the six-byte real.
inline long double SixByte(long double x)
{
    return Real2Ext(Ext2Real(x));
}
