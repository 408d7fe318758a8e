#pragma once
// Rounding of extended reals to the 32-bit integers the windows and the chart points use.
#include <cstdint>

// Nearest 32-bit integer, ties to even; EInvalidOp when out of range or not a number.
std::int32_t Round(long double x);
