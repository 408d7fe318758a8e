#pragma once
// The one-line progress bar of a study on standard error, only when that is a terminal.
#include <chrono>
#include <cstdint>
#include <cstdio>

class TProgress {
public:
    TProgress(std::int64_t runs, std::int64_t generations, std::FILE* terminal);
    ~TProgress();
    TProgress(const TProgress&) = delete;
    TProgress& operator=(const TProgress&) = delete;

    void RunDone(std::int64_t generations);

private:
    void Show();

    std::FILE* FTerminal;  // null when standard error is no terminal
    std::int64_t FRuns;
    std::int64_t FGenerations;
    std::int64_t FRunsDone = 0;
    std::int64_t FGenerationsDone = 0;
    std::chrono::steady_clock::time_point FStart;
    std::chrono::steady_clock::time_point FShown;
};
