#pragma once
// The arithmetic of an axis scale, free of any chart state: label steps, which values get a
// label, and the rounding used for pixel positions.
#include <cstdint>
#include <vector>

namespace AxisScale {

// Smallest step an axis uses; also the step when no label fits at all.
inline constexpr double kMinIncrement = 0.00001;

// Nearest integer with halves to the even neighbour, computed in extended precision; results
// beyond the 32-bit range saturate instead of wrapping.
std::int32_t Round(long double x);

// The step after x on the ladder 1, 2, 5, 10, 50, 100, 200, 500, 1000, 5000, then doubling;
// below 1 it doubles.
double NextIncrementStep(double x);

// Number of labels that fit `length` pixels when each takes `extent` pixels plus
// `labelsSeparation` percent of it.
std::int32_t LabelCount(std::int32_t extent, std::int32_t length, std::int32_t labelsSeparation);

// First step, starting at `increment` (or 1 / kMinIncrement when it is not positive), whose
// label count over `range` does not exceed `count`.
double IncrementForCount(std::int32_t count, double increment, double range, std::int32_t labelsSeparation);

struct TLabelRule {
    bool RoundFirstLabel = true;
    bool LabelsOnAxis = true;
};

// The values that receive a label, from the top of the range downwards; empty when the step is
// not positive, the range is reversed, or there would be 10000 labels or more.
std::vector<double> LabelValues(double minimum, double maximum, double increment, TLabelRule rule);

}  // namespace AxisScale
