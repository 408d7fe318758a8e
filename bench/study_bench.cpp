// A study of 1,000 runs x 500 generations (default parameters, seed 0), its table to
// /dev/null, in one process and in worker processes: wall time is what parallel runs save.
#include "base/FloatEnvironment.h"
#include "bench/BatchToDevNull.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

void BM_Study1000Runs(benchmark::State& state)
{
    SetFloatEnvironment();
    const std::vector<std::string> args = {
        "--seed", "0", "--replicates", "1000", "--decimal-separator", ",", "--jobs", std::to_string(state.range(0))};
    RunBatchToDevNull(state, args, std::int64_t{1000} * 500);
}
BENCHMARK(BM_Study1000Runs)->ArgName("jobs")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
