#pragma once
// Runs kelvaro-batch with the given arguments into /dev/null once per iteration; the items
// are the generations of range(0).
#include "batch/BatchRunner.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

inline void RunBatchToDevNull(benchmark::State& state, const std::vector<std::string>& args)
{
    std::FILE* devNull = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        TFileSink out(devNull);
        TStringSink err;
        if (RunBatch(args, out, err) != 0)
            state.SkipWithError(err.Text.c_str());
    }
    std::fclose(devNull);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
