#include "base/FloatEnvironment.h"

#include "base/Exception.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <functional>
#include <string>

namespace {

class FloatEnvironmentTest : public ::testing::Test {
protected:
    void SetUp() override { SetFloatEnvironment(); }
    volatile long double FZero = 0.0L;
    volatile long double FHuge = std::ldexp(1.0L, 16000);
    volatile long double FTiny = std::ldexp(1.0L, -16000);
};

template <typename E>
std::string FaultMessage(const std::function<void()>& fault)
{
    try {
        fault();
        CheckFloatFaults();
    } catch (const E& e) {
        return e.what();
    }
    return "no fault";
}

TEST_F(FloatEnvironmentTest, FaultsBecomeTheirExceptions)
{
    volatile long double sink;
    EXPECT_EQ(FaultMessage<EInvalidOp>([&] { sink = FZero / FZero; }), "Fehler bei Gleitkomma-Operation");
    volatile double zero = 0.0;  // double arithmetic flags in SSE, not in the x87 unit
    EXPECT_EQ(FaultMessage<EInvalidOp>([&] { sink = zero / zero; }), "Fehler bei Gleitkomma-Operation");
    EXPECT_EQ(FaultMessage<EZeroDivide>([&] { sink = 1.0L / FZero; }), "Gleitkommadivision durch Null");
    EXPECT_EQ(FaultMessage<EOverflow>([&] { sink = FHuge * FHuge; }), "Überlauf bei Gleitkomma-Operation");
    EXPECT_EQ(FaultMessage<EOverflow>([&] { sink = static_cast<double>(FHuge); }), "Überlauf bei Gleitkomma-Operation");
    (void)sink;
}

TEST_F(FloatEnvironmentTest, FaultResetsTheEnvironmentWhereUnderflowAndInexactAreSilent)
{
    std::fesetround(FE_UPWARD);
    volatile long double sink = FZero / FZero;
    EXPECT_THROW(CheckFloatFaults(), EInvalidOp);
    EXPECT_EQ(std::fegetround(), FE_TONEAREST);
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT & ~FE_INEXACT), 0);
    sink = FTiny * FTiny;
    sink = 1.0L / (3.0L + FZero);
    EXPECT_NO_THROW(CheckFloatFaults());
    (void)sink;
}

TEST_F(FloatEnvironmentTest, ComputesWithSixtyFourBitSignificand)
{
    volatile long double one = 1.0L;
    EXPECT_NE(one + std::ldexp(1.0L, -63), one);
    EXPECT_EQ(one + std::ldexp(1.0L, -64), one);  // tie to even
}

}  // namespace
