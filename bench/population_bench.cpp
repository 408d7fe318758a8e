// Generations per second of the population model alone: one generation is both
// populations' parasite step, living count, GC average, mutation, lethal check and
// reproduction, as a run performs them.
#include "base/FloatEnvironment.h"
#include "bench/ModelGeneration.h"
#include "population/AsexualPopulation.h"
#include "population/Random.h"
#include "population/SexualPopulation.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void RunGenerations(benchmark::State& state, const std::u32string& gene)
{
    SetFloatEnvironment();
    SexualPopulation.Init(gene);
    AsexualPopulation.Init(gene);
    RandSeed = 0;
    for (auto _ : state) {
        Generation(SexualPopulation);
        Generation(AsexualPopulation);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("items = generations");
}

// Default parameters and gene.
void BM_GenerationDefault(benchmark::State& state)
{
    RunGenerations(state, U"AAATTCCCGG");
}
BENCHMARK(BM_GenerationDefault);

// A seven-base gene: the sexual GC sum is rounded to six bytes place by place.
void BM_GenerationInexactSum(benchmark::State& state)
{
    RunGenerations(state, U"ACGTACG");
}
BENCHMARK(BM_GenerationInexactSum);

}  // namespace

BENCHMARK_MAIN();
