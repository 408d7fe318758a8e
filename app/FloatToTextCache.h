#pragma once
// The general format with 15 digits for a run that converts the same few values again and
// again: a run's averages take a few thousand values at most, and most repeat from one
// generation to the next.
#include "app/FloatToText.h"

#include <array>
#include <cstdint>
#include <cstring>

class TFloatToTextCache {
public:
    // FloatToText(arithmetic, buffer, value, 15, 0, separator), taken from the cache when
    // the value's slot holds the same value and separator. All kFloatTextCapacity bytes of
    // `buffer` may be written; the text is the first ones, as many as returned. Inline up to
    // the conversion: a hit costs a few instructions.
    std::size_t Text(const TExtendedArithmetic& arithmetic, char* buffer, long double value,
                     char32_t separator = DecimalSeparator)
    {
        std::uint64_t significand;
        std::uint16_t signExponent;
        std::memcpy(&significand, &value, sizeof significand);
        std::memcpy(&signExponent, reinterpret_cast<const char*>(&value) + 8, sizeof signExponent);
        // Six-byte values leave the low significand bits zero: the slot comes from the top bits.
        TEntry& entry = FEntries[((significand >> 24) ^ signExponent) * 0x9E3779B97F4A7C15u >> 56];
        if (!entry.Valid || entry.Significand != significand || entry.SignExponent != signExponent ||
            entry.Separator != separator)
            return Convert(arithmetic, entry, buffer, value, separator);
        std::memcpy(buffer, entry.Text, sizeof entry.Text);  // one fixed-size copy, whatever the length
        return entry.Length;
    }

private:
    struct alignas(64) TEntry {
        std::uint64_t Significand = 0;
        std::uint16_t SignExponent = 0;
        bool Valid = false;
        std::uint8_t Length = 0;
        char32_t Separator = 0;
        char Text[kFloatTextCapacity];
    };

    // The conversion, kept in `entry` and copied to `buffer`.
    static std::size_t Convert(const TExtendedArithmetic& arithmetic, TEntry& entry, char* buffer, long double value,
                               char32_t separator);

    std::array<TEntry, 256> FEntries{};  // one slot per value of the hash's top byte
};
