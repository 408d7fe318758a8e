#pragma once
// Runs kelvaro-batch with the given arguments into /dev/null once per iteration; the items
// are the generations of range(0).
#include "batch/BatchRunner.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>
#include <string>
#include <vector>

inline void RunBatchToDevNull(benchmark::State& state, const std::vector<std::string>& args)
{
    const int devNull = ::open("/dev/null", O_WRONLY);
    for (auto _ : state) {
        TFileSink out(devNull, "/dev/null");
        TStringSink err;
        if (RunBatch(args, out, err) != 0)
            state.SkipWithError(err.Text.c_str());
    }
    ::close(devNull);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
