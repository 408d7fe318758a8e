#include "batch/study/Survival.h"

#include <cmath>
#include <limits>

namespace {

// log(-log S) and its standard error by the delta method; none where it is not defined.
std::optional<std::pair<double, double>> LogLog(double survival, double greenwood)
{
    if (!(survival > 0 && survival < 1) || !std::isfinite(greenwood) || greenwood <= 0)
        return std::nullopt;
    const double log = std::log(survival);
    return std::pair(std::log(-log), std::sqrt(greenwood) / std::fabs(log));
}

}  // namespace

TInterval WilsonInterval(std::int64_t events, std::int64_t trials)
{
    const auto n = static_cast<double>(trials);
    const double p = static_cast<double>(events) / n;
    const double z2 = kNormal975 * kNormal975;
    const double centre = (p + z2 / (2 * n)) / (1 + z2 / n);
    const double half = kNormal975 / (1 + z2 / n) * std::sqrt(p * (1 - p) / n + z2 / (4 * n * n));
    // At a share of 0 or 1 the limit on that side is exactly the share.
    return {events == 0 ? 0.0 : centre - half, events == trials ? 1.0 : centre + half};
}

void TKaplanMeier::Add(std::int32_t time, bool event)
{
    ++FCount;
    auto& counts = FTimes[time];
    (event ? counts.first : counts.second) += 1;
}

std::vector<TKaplanMeier::TStep> TKaplanMeier::Steps() const
{
    std::vector<TStep> steps;
    std::int64_t atRisk = FCount;
    double survival = 1;
    double greenwood = 0;
    for (const auto& [time, counts] : FTimes) {
        const auto [events, censored] = counts;
        if (events > 0) {
            const auto n = static_cast<double>(atRisk);
            const auto d = static_cast<double>(events);
            survival *= 1 - d / n;
            // NOLINTNEXTLINE(bugprone-narrowing-conversions): infinity is a double already; nothing narrows.
            greenwood += events < atRisk ? d / (n * (n - d)) : std::numeric_limits<double>::infinity();
            steps.push_back({time, survival, greenwood});
        }
        atRisk -= events + censored;
    }
    return steps;
}

double TKaplanMeier::SurvivalAtEnd() const
{
    const std::vector<TStep> steps = Steps();
    return steps.empty() ? 1.0 : steps.back().Survival;
}

std::optional<TInterval> TKaplanMeier::SurvivalInterval() const
{
    const std::vector<TStep> steps = Steps();
    if (steps.empty())
        return std::nullopt;
    const auto g = LogLog(steps.back().Survival, steps.back().Greenwood);
    if (!g)
        return std::nullopt;
    const auto [value, error] = *g;
    return TInterval{std::exp(-std::exp(value + kNormal975 * error)), std::exp(-std::exp(value - kNormal975 * error))};
}

std::optional<double> TKaplanMeier::Median() const
{
    for (const TStep& step : Steps())
        if (step.Survival <= 0.5)
            return step.Time;
    return std::nullopt;
}

std::optional<TInterval> TKaplanMeier::MedianInterval() const
{
    const std::vector<TStep> steps = Steps();
    const double half = std::log(-std::log(0.5));
    std::optional<std::size_t> first, last;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const auto g = LogLog(steps[i].Survival, steps[i].Greenwood);
        if (g && std::fabs(g->first - half) <= kNormal975 * g->second) {
            if (!first)
                first = i;
            last = i;
        }
    }
    if (!first)
        return std::nullopt;
    const double high = *last + 1 < steps.size() ? steps[*last + 1].Time : std::numeric_limits<double>::infinity();
    return TInterval{static_cast<double>(steps[*first].Time), high};
}
