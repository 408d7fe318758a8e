#pragma once
// Runs a command line of kelvaro-batch into /dev/null once per iteration; the items
// are the generations of range(0), or `generations` when given.
#include "batch/study/Dispatch.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

inline void RunBatchToDevNull(benchmark::State& state, const std::vector<std::string>& args,
                              std::int64_t generations = 0)
{
    const int devNull = ::open("/dev/null", O_WRONLY);
    for (auto _ : state) {
        TFileSink out(devNull, "/dev/null");
        TStringSink err;
        if (RunCommandLine(args, out, err) != 0)
            state.SkipWithError(err.Text.c_str());
        out.Flush();
    }
    ::close(devNull);
    state.SetItemsProcessed(state.iterations() * (generations > 0 ? generations : state.range(0)));
}
