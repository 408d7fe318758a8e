#include "population/GenerationTables.h"

#include "population/Exception.h"
#include "population/FloatEnvironment.h"
#include "population/Random.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(GenerationTables, DrawBoundSeparatesDraws)
{
    for (uint32_t n : {1u, 4u, 10u, 20u, 99u, 100u})
        for (uint32_t k = 0; k <= n; ++k) {
            const uint64_t bound = DrawBound(n, k);
            if (bound < kNoSeed) {
                EXPECT_GE(ScaleSeed(static_cast<uint32_t>(bound), n), k);
            }
            if (bound > 0) {
                EXPECT_LT(ScaleSeed(static_cast<uint32_t>(bound - 1), n), k);
            }
        }
    EXPECT_EQ(DrawBound(99, 99), kNoSeed);
}

// The first overflowing draw must be exactly where the six-byte conversion raises.
TEST(GenerationTables, FirstOverflowingDrawMatchesConversion)
{
    SetFloatEnvironment();
    const long double edge = std::ldexp(1.0L, 127) - std::ldexp(1.0L, 86);
    for (long double factor : {1.0L, 0x1p120L, 0x1p121L, -0x1p121L, 0x1.8p126L, edge / 37, edge / 37 * (1 - 0x1p-62L),
                               std::ldexp(1.0L, 127) - std::ldexp(1.0L, 87)}) {
        const long double f = SixByte(factor);
        uint32_t expected = 1;
        for (; expected < 100; ++expected) {
            try {
                Ext2Real(expected * f);
            } catch (const EOverflow&) {
                break;
            }
        }
        EXPECT_EQ(FirstOverflowingDraw(f), expected) << static_cast<double>(factor);
    }
}

// The integer running sum against the extended one rounded through six bytes.
TEST(GenerationTables, GCSumInBitsRoundsLikeSixBytes)
{
    SetFloatEnvironment();
    for (int length : {3, 6, 7, 9}) {
        std::array<long double, 11> values{};
        for (int c = 0; c <= 10; ++c)
            values[c] = SixByte(c * 100.0L / length);
        TGCSum sum;
        sum.Build(values, 0.005L);
        ASSERT_FALSE(sum.Exact) << length;
        RandSeed = static_cast<uint32_t>(length);
        long double expected = 0;
        uint64_t bits = 0;
        for (int place = 0; place < 100; ++place) {
            const uint32_t c1 = Random(11), c2 = Random(11);
            expected = SixByte(expected + values[c1] + values[c2]);
            bits = TGCSum::RoundBits(bits + sum.Bits[c1] + sum.Bits[c2]);
            ASSERT_EQ(sum.FromBits(bits), expected) << length << " " << place;
        }
    }
}

TEST(GenerationTables, GCSumExactOnlyForCoarseUnits)
{
    EXPECT_TRUE(TGCSum::FitsExactly(10.0L, 2000));
    EXPECT_TRUE(TGCSum::FitsExactly(12.5L, 2000));
    EXPECT_FALSE(TGCSum::FitsExactly(SixByte(100.0L / 3), 2000));
    EXPECT_FALSE(TGCSum::FitsExactly(0.0L, 2000));
}

} // namespace
