#include "app/PowerOfTen.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// 10^n as a little-endian big integer of 32-bit words.
std::vector<std::uint32_t> ExactPower(int n)
{
    std::vector<std::uint32_t> words{1};
    for (int i = 0; i < n; ++i) {
        std::uint64_t carry = 0;
        for (auto& w : words) {
            const std::uint64_t product = std::uint64_t{w} * 10 + carry;
            w = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0)
            words.push_back(static_cast<std::uint32_t>(carry));
    }
    return words;
}

bool Bit(const std::vector<std::uint32_t>& words, long i)
{
    return (words[static_cast<std::size_t>(i / 32)] >> (i % 32)) & 1;
}

// The extended value nearest to 10^n, ties to even, from the exact integer.
long double NearestExtended(int n)
{
    const auto words = ExactPower(n);
    long top = static_cast<long>(words.size()) * 32 - 1;
    while (!Bit(words, top))
        --top;
    const long shift = top >= 63 ? top - 63 : 0;
    std::uint64_t significand = 0;
    for (long i = top; i >= shift; --i)
        significand = (significand << 1) | (Bit(words, i) ? 1 : 0);
    if (shift > 0 && Bit(words, shift - 1)) {
        bool sticky = false;
        for (long i = shift - 2; i >= 0 && !sticky; --i)
            sticky = Bit(words, i);
        if (sticky || (significand & 1))
            ++significand; // never wraps: no power of ten has 64 one bits on top
    }
    return std::ldexp(static_cast<long double>(significand), static_cast<int>(shift));
}

TEST(ScalePowerOfTen, EveryTableFactorIsTheNearestExtendedValue)
{
    std::vector<int> exponents;
    for (int k = 1; k < 32; ++k)
        exponents.push_back(k);
    for (int k = 1; k < 16; ++k)
        exponents.push_back(32 * k);
    for (int k = 1; k < 10; ++k)
        exponents.push_back(512 * k);
    for (int n : exponents)
        EXPECT_EQ(ScalePowerOfTen(1.0L, n), NearestExtended(n)) << "1e" << n;
}

TEST(ScalePowerOfTen, CombinesFactorsInTheirOrderWithRounding)
{
    // 10^(3 + 64 + 1024): three roundings, in ascending order of the factors.
    const long double expected =
        ((1.0L * NearestExtended(3)) * NearestExtended(64)) * NearestExtended(1024);
    EXPECT_EQ(ScalePowerOfTen(1.0L, 1091), expected);
    EXPECT_EQ(ScalePowerOfTen(1.0L, -1091),
              ((1.0L / NearestExtended(3)) / NearestExtended(64)) / NearestExtended(1024));
    EXPECT_EQ(ScalePowerOfTen(2.5L, 0), 2.5L);
}

TEST(ScalePowerOfTen, ExponentsPastTheTablesStillScale)
{
    EXPECT_EQ(ScalePowerOfTen(1.0L, -6000), 0.0L);
    EXPECT_TRUE(std::isinf(ScalePowerOfTen(1.0L, 6000)));
    // 1e4900 brought down by 1e5200 is representable.
    const long double x = ScalePowerOfTen(ScalePowerOfTen(1.0L, 4900), -5200);
    EXPECT_NEAR(static_cast<double>(x / ScalePowerOfTen(1.0L, -300)), 1.0, 1e-15);
}

} // namespace
