#include "population/GenerationTables.h"

#include "base/Exception.h"
#include "base/FloatEnvironment.h"
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

}  // namespace
