#pragma once
// The general format with 15 digits for a run that converts the same few values again and
// again: a run's averages take a few thousand values at most, and most repeat from one
// generation to the next.
#include "app/FloatToText.h"

#include <array>
#include <cstdint>

class TFloatToTextCache {
public:
    // FloatToText(arithmetic, buffer, value, 15, 0, separator), taken from the cache when
    // the value's slot holds the same value and separator. All kFloatTextCapacity bytes of
    // `buffer` may be written; the text is the first ones, as many as returned.
    std::size_t Text(const TExtendedArithmetic& arithmetic, char* buffer, long double value,
                     char32_t separator = DecimalSeparator);

private:
    struct alignas(64) TEntry {
        std::uint64_t Significand = 0;
        std::uint16_t SignExponent = 0;
        bool Valid = false;
        std::uint8_t Length = 0;
        char32_t Separator = 0;
        char Text[kFloatTextCapacity];
    };
    std::array<TEntry, 256> FEntries{};
};
