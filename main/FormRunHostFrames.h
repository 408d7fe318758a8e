#pragma once
// The pace at which a run with the chart window shown presents new frames: a frame once a
// whole display refresh interval has passed since the last one was presented, so that no
// more pictures are drawn than a screen shows and the run keeps at least that much time
// between two of them. All times come from one clock, which tests replace.
#include <chrono>
#include <functional>

class TFramePace {
public:
    using TClock = std::function<std::chrono::nanoseconds()>;

    TFramePace();

    // The interval of a display refreshing refreshRate times a second; 60 Hz where the rate is
    // unknown (not a number of at least 1).
    static std::chrono::nanoseconds IntervalOf(double refreshRate);

    void SetClock(TClock clock) { FClock = std::move(clock); }
    // Starts a run's frames: the first is due at once. everyGeneration makes every one due.
    void Start(std::chrono::nanoseconds interval, bool everyGeneration);
    // Outside a run every frame is due.
    void Stop() { FAlways = true; }
    bool Due() const;
    // The frame is on the screen now.
    void Presented();

private:
    TClock FClock;
    std::chrono::nanoseconds FInterval{};
    bool FAlways = true;
    bool FFirst = true;
    std::chrono::nanoseconds FLastPresented{};
};
