#pragma once
// Floating-point environment of the model: x87 with a 64-bit significand and
// rounding to nearest. The hardware traps stay masked; faults are found by polling
// the sticky flags (CheckFloatFaults) at the points where results are taken, which
// keeps them ordinary C++ exceptions.
#include <cstdint>
#include <xmmintrin.h>

enum class TFloatFault { InvalidOp, ZeroDivide, Overflow };

// Start-up setting, and the reset after a fault.
void SetFloatEnvironment();

// Resets the environment and throws the exception of the fault.
[[noreturn]] void RaiseFloatFault(TFloatFault fault);

// Throws for the flags set; called only when one of them is.
[[noreturn]] void RaisePendingFloatFault();

// Invalid operation, division by zero or overflow flagged by the x87 unit or by SSE.
// Both keep these flags in the same bits (0, 2 and 3). Read inline: results are
// taken often, and a library call per check would cost more than the work checked.
inline bool FloatFaultPending()
{
    uint16_t x87Status;
    asm volatile("fnstsw %0" : "=am"(x87Status));
    return ((x87Status | _mm_getcsr()) & 0x0D) != 0;
}

// If the invalid-operation, division-by-zero or overflow flag is set: clears the
// flags, resets the environment and throws EInvalidOp, EZeroDivide or EOverflow
// (in that priority). Underflow and inexact results stay silent.
inline void CheckFloatFaults()
{
    if (FloatFaultPending())
        RaisePendingFloatFault();
}
