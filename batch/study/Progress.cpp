#include "batch/study/Progress.h"

#include <cmath>
#include <string>
#include <unistd.h>

namespace {

constexpr int kBarWidth = 30;

std::string Duration(double seconds)
{
    const long long total = std::llround(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", total / 3600, total / 60 % 60, total % 60);
    return text;
}

}  // namespace

TProgress::TProgress(std::int64_t runs, std::int64_t generations, std::FILE* terminal)
    : FTerminal(isatty(fileno(terminal)) ? terminal : nullptr), FRuns(runs), FGenerations(generations),
      FStart(std::chrono::steady_clock::now()), FShown(FStart)
{
}

TProgress::~TProgress()
{
    if (FTerminal && FRunsDone > 0) {
        Show();
        std::fputc('\n', FTerminal);
    }
}

void TProgress::RunDone(std::int64_t generations)
{
    ++FRunsDone;
    FGenerationsDone += generations;
    const auto now = std::chrono::steady_clock::now();
    if (FTerminal && (now - FShown > std::chrono::milliseconds(200) || FRunsDone == FRuns)) {
        FShown = now;
        Show();
    }
}

void TProgress::Show()
{
    const double seconds = std::chrono::duration<double>(FShown - FStart).count();
    const double perSecond = seconds > 0 ? static_cast<double>(FGenerationsDone) / seconds : 0;
    const int filled = static_cast<int>(kBarWidth * FRunsDone / FRuns);
    const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
                            std::string(static_cast<std::size_t>(kBarWidth - filled), '.');
    const double left = perSecond > 0 ? static_cast<double>(FGenerations - FGenerationsDone) / perSecond : 0;
    std::fprintf(FTerminal, "\r[%s] %lld/%lld Läufe, %.0f Generationen/s, noch %s ", bar.c_str(),
                 static_cast<long long>(FRunsDone), static_cast<long long>(FRuns), perSecond, Duration(left).c_str());
    std::fflush(FTerminal);
}
