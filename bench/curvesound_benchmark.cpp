// The four-second sound of each graph, computed as "Play the Curve" and --output curve.wav do.
#include "curvesound.h"

#include <benchmark/benchmark.h>

static void curveSound(benchmark::State &state)
{
    const graphing::PictureContent content{static_cast<int>(state.range(0))};
    for (auto _ : state)
        benchmark::DoNotOptimize(graphing::curveSound(content));
}
BENCHMARK(curveSound)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
