#include "main/FormRunHostFrames.h"

#include <cmath>

TFramePace::TFramePace() : FClock([] { return std::chrono::steady_clock::now().time_since_epoch(); })
{
}

std::chrono::nanoseconds TFramePace::IntervalOf(double refreshRate)
{
    const double rate = std::isfinite(refreshRate) && refreshRate >= 1 ? refreshRate : 60.0;
    return std::chrono::nanoseconds(static_cast<std::chrono::nanoseconds::rep>(std::ceil(1e9 / rate)));
}

void TFramePace::Start(std::chrono::nanoseconds interval, bool everyGeneration)
{
    FInterval = interval;
    FAlways = everyGeneration;
    FFirst = true;
}

bool TFramePace::Due() const
{
    // Read at every pump, due or not: the clock sees the run's pace.
    const std::chrono::nanoseconds now = FClock();
    return FAlways || FFirst || now - FLastPresented >= FInterval;
}

void TFramePace::Presented()
{
    FFirst = false;
    FLastPresented = FClock();
}
