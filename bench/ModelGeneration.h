#pragma once
// One generation of a population as a run performs it, for the benchmarks: parasite step,
// GC average and living count (kept from being optimised away), mutation, lethal check and
// reproduction.
#include <benchmark/benchmark.h>

template <typename TPopulation>
void Generation(TPopulation& p)
{
    p.ParasiteStep();
    benchmark::DoNotOptimize(p.AverageGC());
    benchmark::DoNotOptimize(p.CountLiving());
    p.Mutate();
    p.LethalCheck();
    p.Reproduce();
}
