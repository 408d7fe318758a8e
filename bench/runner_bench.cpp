// The headless runner against the model alone, both over 1,000,000 generations
// with default parameters from seed 0: what the run adds on top of the model
// (two lines per generation, memo output to /dev/null).
#include "app/IntegerText.h"
#include "base/FloatEnvironment.h"
#include "bench/BatchToDevNull.h"
#include "bench/ModelGeneration.h"
#include "population/AsexualPopulation.h"
#include "population/Random.h"
#include "population/SexualPopulation.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

void BM_ModelAlone(benchmark::State& state)
{
    SetFloatEnvironment();
    for (auto _ : state) {
        SexualPopulation.Init(U"AAATTCCCGG");
        AsexualPopulation.Init(U"AAATTCCCGG");
        RandSeed = 0;
        for (std::int64_t g = 0; g < state.range(0); ++g) {
            Generation(SexualPopulation);
            Generation(AsexualPopulation);
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ModelAlone)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_RunnerMemoToDevNull(benchmark::State& state)
{
    SetFloatEnvironment();
    const std::vector<std::string> args = {"--seed",
                                           "0",
                                           "--decimal-separator",
                                           ",",
                                           "--generations",
                                           IntToStr(static_cast<std::int32_t>(state.range(0)))};
    RunBatchToDevNull(state, args);
}
BENCHMARK(BM_RunnerMemoToDevNull)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
