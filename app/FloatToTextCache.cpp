#include "app/FloatToTextCache.h"

std::size_t TFloatToTextCache::Convert(const TExtendedArithmetic& arithmetic, TEntry& entry, char* buffer,
                                       long double value, char32_t separator)
{
    const std::size_t length = FloatToText(arithmetic, buffer, value, 15, 0, separator);
    std::memcpy(entry.Text, buffer, length);
    std::memcpy(&entry.Significand, &value, sizeof entry.Significand);
    std::memcpy(&entry.SignExponent, reinterpret_cast<const char*>(&value) + 8, sizeof entry.SignExponent);
    entry.Length = static_cast<std::uint8_t>(length);
    entry.Separator = separator;
    entry.Valid = true;
    return length;
}
