#pragma once
// MulDiv: the window system's scaled integer arithmetic, used for margins, gradient bands
// and the proportional layout.
#include <cstdint>

// a * b / c without overflow, rounded to nearest with halves away from zero; -1 when c is 0
// or the result does not fit, as the window system does.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);
