#pragma once
// Floating-point environment of the model: x87 with a 64-bit significand and
// rounding to nearest. The hardware traps stay masked; faults are found by polling
// the sticky flags (CheckFloatFaults) at the points where results are taken, which
// keeps them ordinary C++ exceptions.

enum class TFloatFault { InvalidOp, ZeroDivide, Overflow };

// Start-up setting, and the reset after a fault.
void SetFloatEnvironment();

// If the invalid-operation, division-by-zero or overflow flag is set: clears the
// flags, resets the environment and throws EInvalidOp, EZeroDivide or EOverflow
// (in that priority). Underflow and inexact results stay silent.
void CheckFloatFaults();

// Resets the environment and throws the exception of the fault.
[[noreturn]] void RaiseFloatFault(TFloatFault fault);
