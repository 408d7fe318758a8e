#pragma once
// The caller's floating-point state as the conversions must leave it: x87 control
// word and sticky flags, SSE control and flags.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <xmmintrin.h>

struct TFloatState {
    std::uint16_t X87Control;
    std::uint16_t X87Flags;
    std::uint32_t Sse;

    static TFloatState Read()
    {
        TFloatState s;
        std::uint16_t status;
        asm volatile("fnstcw %0" : "=m"(s.X87Control));
        asm volatile("fnstsw %0" : "=am"(status));
        s.X87Flags = status & 0x3F;
        s.Sse = _mm_getcsr();
        return s;
    }

    bool operator==(const TFloatState&) const = default;

    // The control words and the flags the model treats as faults (invalid operation,
    // division by zero, overflow); the silent ones masked out.
    TFloatState Faults() const { return {X87Control, static_cast<std::uint16_t>(X87Flags & 0x0D), Sse & ~0x32u}; }
};

// Sets a caller's state chosen by `choice`: any precision and rounding of the x87
// unit, any rounding of SSE, any sticky flags; exceptions stay masked.
inline void SetCallerFloatState(std::uint8_t choice)
{
    std::uint16_t control = 0x003F | static_cast<std::uint16_t>((choice & 0x0F) << 8);
    if ((control & 0x0300) == 0x0100)
        control |= 0x0200;  // 01 is a reserved precision setting
    asm volatile("fldcw %0" : : "m"(control));
    asm volatile("fnclex");
    // Sticky flags on the x87 side come from an operation; on the SSE side they are bits.
    if (choice & 0x10) {
        volatile long double zero = 0.0L;
        volatile long double invalid = zero / zero;
        (void)invalid;
    }
    const std::uint32_t sseRounding = static_cast<std::uint32_t>((choice >> 5) & 3) << 13;
    _mm_setcsr(0x1F80 | sseRounding | ((choice & 0x80) ? 0x05u : 0u));
}

// Stops the fuzzer with a message when `condition` is false.
inline void Require(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}
