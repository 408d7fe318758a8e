// Calls per second of the two float conversions on the values they meet:
// GC averages that passed through a six-byte real, and short parameter texts.
#include "app/FloatToText.h"
#include "app/FormatSettings.h"
#include "app/IntegerText.h"
#include "app/TextToFloat.h"
#include "base/FloatEnvironment.h"
#include "population/SixByteReal.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// Every possible sexual GC average, 0.005 * (0 .. 20000), as stored.
std::vector<long double> GCAverages()
{
    std::vector<long double> values;
    for (int s = 0; s <= 20000; s += 7)
        values.push_back(SixByte(s * 0.005L));
    return values;
}

void BM_FloatToStr(benchmark::State& state)
{
    SetFloatEnvironment();
    DecimalSeparator = U',';
    const auto values = GCAverages();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FloatToStr(values[i]));
        i = i + 1 == values.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FloatToStr);

// The same without the string: what a generation line costs.
void BM_FloatToText(benchmark::State& state)
{
    SetFloatEnvironment();
    const auto values = GCAverages();
    char buffer[kFloatTextCapacity];
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FloatToText(buffer, values[i], 15, 0, U','));
        benchmark::ClobberMemory();
        i = i + 1 == values.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FloatToText);

void BM_StrToFloat(benchmark::State& state)
{
    SetFloatEnvironment();
    DecimalSeparator = U',';
    const std::string texts[] = {"3", "1", "2,5", "0,001", "1E3", " -7,25 ", "49,9500000000116"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(StrToFloat(texts[i]));
        i = i + 1 == std::size(texts) ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StrToFloat);

void BM_IntToStr(benchmark::State& state)
{
    std::int32_t n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(IntToStr(n));
        n = n == 100 ? 0 : n + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IntToStr);

}  // namespace

BENCHMARK_MAIN();
