#pragma once
// Shares and times to an event over runs: the Wilson score interval of a share, and the
// Kaplan-Meier estimate of survival with runs that end without the event censored.
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

// The 97.5 % point of the standard normal distribution.
inline constexpr double kNormal975 = 1.959963984540054;

struct TInterval {
    double Low;
    double High;  // may be infinite
};

// The 95 % Wilson score interval of the share events / trials; trials at least 1.
TInterval WilsonInterval(std::int64_t events, std::int64_t trials);

class TKaplanMeier {
public:
    // A run observed until `time`: the event happened then, or it was still going (censored).
    void Add(std::int32_t time, bool event);

    std::int64_t Count() const { return FCount; }
    // The estimated share without the event after the last time observed.
    double SurvivalAtEnd() const;
    // Its 95 % interval on the log(-log) scale with Greenwood's variance; none at 0 or 1.
    std::optional<TInterval> SurvivalInterval() const;
    // The first event time at which the estimate falls to 0.5 or below; none when it stays above.
    std::optional<double> Median() const;
    // Brookmeyer-Crowley 95 % interval of the median: the event times whose estimate does not
    // differ from 0.5 on the log(-log) scale (Greenwood), widened to the next event time at the
    // top (infinite past the last); none when no event time qualifies.
    std::optional<TInterval> MedianInterval() const;

private:
    struct TStep {
        std::int32_t Time;
        double Survival;
        double Greenwood;  // sum of d / (n (n - d)) up to this time; infinite once all are gone
    };
    // One step per event time, in time order.
    std::vector<TStep> Steps() const;

    std::int64_t FCount = 0;
    // Per time: events, censored runs.
    std::map<std::int32_t, std::pair<std::int64_t, std::int64_t>> FTimes;
};
