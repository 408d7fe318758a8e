#include "base/Round.h"

#include "base/FloatEnvironment.h"

#include <cmath>
#include <limits>

std::int32_t Round(long double x)
{
    CheckFloatFaults();
    // Adding 1.5 × 2^63 leaves no fraction bits, so the environment's rounding (to
    // nearest, ties to even: the constant is even) rounds x; subtracting is exact.
    constexpr long double kShift = 0x1.8p63L;
    if (!(std::fabs(x) < 0x1p62L))
        RaiseFloatFault(TFloatFault::InvalidOp);  // far out of range, or not a number
    const long double r = (x + kShift) - kShift;
    if (!(r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max()))
        RaiseFloatFault(TFloatFault::InvalidOp);
    // r is a whole number that a double holds exactly: converting from the double truncates by an
    // SSE instruction, where the x87 conversion would switch the control word twice.
    return static_cast<std::int32_t>(static_cast<double>(r));
}
