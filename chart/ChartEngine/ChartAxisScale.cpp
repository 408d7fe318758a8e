#include "chart/ChartEngine/ChartAxisScale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace AxisScale {

namespace {

constexpr long double kRoundLimit = 2147483647.0L;
constexpr long double kMaxLabels = 10000.0L;

}  // namespace

std::int32_t Round(long double x)
{
    // Adding 1.5 x 2^63 leaves no fraction bits, so the rounding to nearest, ties to even, of
    // the addition rounds x and the subtraction is exact; far cheaper than nearbyintl, which
    // saves and restores the floating-point environment. Huge values and NaN take the long way.
    constexpr long double kShift = 0x1.8p63L;
    const long double r = std::fabs(x) < 0x1p62L ? (x + kShift) - kShift : nearbyintl(x);
    if (r >= kRoundLimit)
        return std::numeric_limits<std::int32_t>::max();
    if (r <= -kRoundLimit - 1.0L)
        return std::numeric_limits<std::int32_t>::min();
    // r is a whole number in range: through double the conversion needs no x87 mode switch.
    return static_cast<std::int32_t>(static_cast<double>(r));
}

double NextIncrementStep(double x)
{
    if (x < 1.0)
        return 2.0 * x;
    if (x == 1.0)
        return 2.0;
    if (x < 5.0)
        return 5.0;
    // 10 → 50, 200 → 500 and 1000 → 5000 skip a doubling; every other step doubles.
    if (x == 10.0 || x == 1000.0)
        return 5.0 * x;
    if (x == 200.0)
        return 500.0;
    return 2.0 * x;
}

std::int32_t LabelCount(std::int32_t extent, std::int32_t length, std::int32_t labelsSeparation)
{
    long double e = extent;
    if (labelsSeparation > 0)
        e += Round(labelsSeparation * 0.01L * e);
    return e > 0 ? Round(1.0L * length / e) : 1;
}

double IncrementForCount(std::int32_t count, double increment, double range, std::int32_t labelsSeparation)
{
    if (count <= 0)
        return kMinIncrement;
    double step = increment;
    if (step <= 0)
        step = std::fabs(range) >= 1.0 ? 1.0 : kMinIncrement;
    if (labelsSeparation > 0) {
        std::int64_t labels = std::int64_t{count} + 1;
        do {
            const long double q = static_cast<long double>(range) / step;
            if (fabsl(q) < kRoundLimit) {
                labels = Round(q);
                if (count < labels)
                    step = NextIncrementStep(step);
            } else {
                step = NextIncrementStep(step);
            }
        } while (labels > count && std::isfinite(step));
    }
    return std::max(kMinIncrement, step);
}

std::vector<double> LabelValues(double minimum, double maximum, double increment, TLabelRule rule)
{
    std::vector<double> values;
    if (increment <= 0 || maximum < minimum)
        return values;
    const double range = maximum - minimum;
    const long double top = static_cast<long double>(maximum) / increment;
    if (fabsl(top) >= kRoundLimit || fabsl(static_cast<long double>(range) / increment) >= kMaxLabels)
        return values;

    double v = (minimum == maximum || !rule.RoundFirstLabel) ? maximum : static_cast<double>(truncl(top) * increment);
    if (rule.LabelsOnAxis) {
        while (v > maximum)
            v -= increment;
        for (; v >= minimum; v -= increment)
            values.push_back(v);
    } else {
        while (v >= maximum)
            v -= increment;
        for (; v > minimum; v -= increment)
            values.push_back(v);
    }
    return values;
}

}  // namespace AxisScale
