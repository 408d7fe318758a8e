#pragma once
// Extended precision and rounding to nearest for the x87 arithmetic of a conversion,
// whatever the caller has set; the caller's control word comes back afterwards.
// Two reads when the caller already computes that way, as the program always does.
#include <cstdint>

class TExtendedArithmetic {
public:
    TExtendedArithmetic()
    {
        asm volatile("fnstcw %0" : "=m"(FCallers));
        const std::uint16_t wanted = (FCallers & ~kPrecisionAndRounding) | kExtendedNearest;
        FChanged = wanted != FCallers;
        if (FChanged)
            asm volatile("fldcw %0" : : "m"(wanted));
    }
    ~TExtendedArithmetic()
    {
        if (FChanged)
            asm volatile("fldcw %0" : : "m"(FCallers));
    }
    TExtendedArithmetic(const TExtendedArithmetic&) = delete;
    TExtendedArithmetic& operator=(const TExtendedArithmetic&) = delete;

private:
    static constexpr std::uint16_t kPrecisionAndRounding = 0x0F00;
    static constexpr std::uint16_t kExtendedNearest = 0x0300;
    std::uint16_t FCallers;
    bool FChanged;
};
