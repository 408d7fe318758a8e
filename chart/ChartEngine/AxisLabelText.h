#pragma once
// Text of a numeric axis label: a value written with a digit pattern such as "#,##0.###".
#include <string>

// Pattern placeholders: '#' optional digit, '0' required digit, ',' before the point switches on
// grouping by threes, '.' starts the decimals; other characters are ignored. The value is rounded
// half-up on its 18 significant decimal digits to the pattern's decimals; a value that rounds to
// zero has no sign. A value with more than 18 integer digits is written in the general form with
// 15 digits instead.
std::string FormatAxisValue(double value, const std::string& pattern, char32_t decimalSeparator,
                            char32_t thousandSeparator);
