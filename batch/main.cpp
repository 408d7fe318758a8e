// kelvaro-batch: the simulation run without windows, for scripts and for
// reproducible results.
#include "app/FormatSettings.h"
#include "base/FloatEnvironment.h"
#include "batch/BatchOutput.h"
#include "batch/CheckedIo.h"
#include "batch/study/Dispatch.h"

#include <csignal>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void Stop(int signal)
{
    StopSignal = signal;
}

// An interrupt or a termination request lets the run write what it has; a second
// one ends the process at once. Signals the caller ignores stay ignored.
void CatchStopSignals()
{
    for (int signal : {SIGINT, SIGTERM}) {
        struct sigaction action = {};
        sigaction(signal, nullptr, &action);
        if (action.sa_handler == SIG_IGN)
            continue;
        action.sa_handler = Stop;
        action.sa_flags = SA_RESETHAND | SA_RESTART;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
}

// A closed standard descriptor would be handed out again by the next open, and the
// results would land in the spill file: fill the gaps with descriptors that fail
// every write.
void OccupyClosedStandardDescriptors()
{
    int descriptor;
    while ((descriptor = ::open("/dev/null", O_RDONLY)) >= 0 && descriptor <= STDERR_FILENO) {
    }
    if (descriptor > STDERR_FILENO)
        ::close(descriptor);
}

}  // namespace

int main(int argc, char** argv)
{
    OccupyClosedStandardDescriptors();
    CatchStopSignals();
    SetFloatEnvironment();
    GetFormatSettings();
    const std::vector<std::string> args(argv + 1, argv + argc);
    TFileSink out(STDOUT_FILENO, "der Standardausgabe");
    TFileSink err(STDERR_FILENO, "der Fehlerausgabe");
    const int status = RunCommandLine(args, out, err);
    try {
        err.Flush();
    } catch (const EOutputError&) {
        // nowhere left to report it; the status tells
    }
    return status;
}
