#include "app/FloatToTextCache.h"

#include <cstring>

std::size_t TFloatToTextCache::Text(const TExtendedArithmetic& arithmetic, char* buffer, long double value,
                                    char32_t separator)
{
    std::uint64_t significand;
    std::uint16_t signExponent;
    std::memcpy(&significand, &value, sizeof significand);
    std::memcpy(&signExponent, reinterpret_cast<const char*>(&value) + 8, sizeof signExponent);
    // Six-byte values leave the low significand bits zero: the slot comes from the top bits.
    const auto slot = static_cast<std::size_t>(((significand >> 24) ^ signExponent) * 0x9E3779B97F4A7C15u >> 56) %
                      std::size(FEntries);
    TEntry& entry = FEntries[slot];
    if (!entry.Valid || entry.Significand != significand || entry.SignExponent != signExponent ||
        entry.Separator != separator) {
        entry.Length = static_cast<std::uint8_t>(FloatToText(arithmetic, entry.Text, value, 15, 0, separator));
        entry.Significand = significand;
        entry.SignExponent = signExponent;
        entry.Separator = separator;
        entry.Valid = true;
    }
    std::memcpy(buffer, entry.Text, sizeof entry.Text);  // one fixed-size copy, whatever the length
    return entry.Length;
}
