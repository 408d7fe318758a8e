#include "batch/study/Statistics.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// Regularised incomplete beta function I_x(a, b) by its continued fraction (modified Lentz).
double IncompleteBeta(double a, double b, double x)
{
    if (x <= 0)
        return 0;
    if (x >= 1)
        return 1;
    if (x > (a + 1) / (a + b + 2))
        return 1 - IncompleteBeta(b, a, 1 - x);
    const double front =
        std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log1p(-x)) / a;
    const auto guard = [](double v) { return std::fabs(v) < 1e-300 ? 1e-300 : v; };
    double c = 1;
    double d = 1 / guard(1 - (a + b) * x / (a + 1));
    double h = d;
    for (int m = 1; m <= 300; ++m) {
        const double even = m * (b - m) * x / ((a - 1 + 2 * m) * (a + 2 * m));
        d = 1 / guard(1 + even * d);
        c = guard(1 + even / c);
        h *= d * c;
        const double odd = -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 1 + 2 * m));
        d = 1 / guard(1 + odd * d);
        c = guard(1 + odd / c);
        const double step = d * c;
        h *= step;
        if (std::fabs(step - 1) < 1e-16)
            break;
    }
    return front * h;
}

// P(|T| > t) for t >= 0.
double TwoSidedTail(double t, double degrees)
{
    return IncompleteBeta(degrees / 2, 0.5, degrees / (degrees + t * t));
}

}  // namespace

void TStatistic::Add(double value)
{
    if (FCount++ == 0)
        FShift = value;
    const double difference = value - FShift;
    FSum += difference;
    FSquares += difference * difference;
    if (FCount == 1 || value < FMin)
        FMin = value;
    if (FCount == 1 || value > FMax)
        FMax = value;
}

double TStatistic::Mean() const
{
    return FShift + FSum / static_cast<double>(FCount);
}

double TStatistic::StandardDeviation() const
{
    const auto n = static_cast<double>(FCount);
    return std::sqrt(std::max(0.0, FSquares - FSum * FSum / n) / (n - 1));
}

double TStatistic::HalfWidth95() const
{
    return StudentT975(FCount - 1) * StandardDeviation() / std::sqrt(static_cast<double>(FCount));
}

double StudentT975(std::int64_t degrees)
{
    static std::map<std::int64_t, double> known;
    const auto found = known.find(degrees);
    if (found != known.end())
        return found->second;
    // The tail falls as t grows: bisect until the interval stops shrinking.
    const auto df = static_cast<double>(degrees);
    double low = 0, high = 16;
    while (TwoSidedTail(high, df) > 0.05)
        high *= 2;
    for (;;) {
        const double middle = (low + high) / 2;
        if (middle <= low || middle >= high)
            break;
        (TwoSidedTail(middle, df) > 0.05 ? low : high) = middle;
    }
    return known[degrees] = high;
}
