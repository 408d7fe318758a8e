#pragma once
// Extended value to text in the general format.
#include "app/ExtendedArithmetic.h"
#include "app/FormatSettings.h"

#include <cstddef>
#include <string>

// Enough for every value at every precision, separator included.
inline constexpr std::size_t kFloatTextCapacity = 40;

// Writes `value` with `precision` significant digits (1..18) into `buffer`,
// positional or, for large and small magnitudes, scientific with at least
// `exponentDigits` exponent digits. Returns the number of bytes written.
std::size_t FloatToText(char* buffer, long double value, int precision, int exponentDigits,
                        char32_t separator = DecimalSeparator);

// The same inside an arithmetic the caller holds: a run of conversions sets the
// x87 control word once instead of at every call.
std::size_t FloatToText(const TExtendedArithmetic& arithmetic, char* buffer, long double value, int precision,
                        int exponentDigits, char32_t separator = DecimalSeparator);

// The general format with 15 digits and the process-wide separator.
std::string FloatToStr(long double value);
