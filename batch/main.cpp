// kelvaro-batch: the simulation run without windows, for scripts and for
// reproducible results.
#include "app/FormatSettings.h"
#include "batch/study/StudyCommand.h"
#include "population/FloatEnvironment.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    SetFloatEnvironment();
    GetFormatSettings();
    const std::vector<std::string> args(argv + 1, argv + argc);
    TFileSink out(stdout);
    TFileSink err(stderr);
    const int status = RunCommandLine(args, out, err);
    out.Flush();
    err.Flush();
    return status;
}
