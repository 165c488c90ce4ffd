#include <benchmark/benchmark.h>

#include "app/scene.h"
#include "bench/core/allocation_counter.h"

namespace {

// Building the whole model: three cubes, two combinations and the clean-up.
// Freeing each tree is left out of the figure.
void BM_BuildScene(benchmark::State& state) {
  long allocations = 0;
  for (auto _ : state) {
    const long before = allocationCount;
    buildScene();
    allocations += allocationCount - before;
    benchmark::DoNotOptimize(sceneTree);
    state.PauseTiming();
    delete sceneTree;
    sceneTree = nullptr;
    state.ResumeTiming();
  }
  state.counters["allocs"] = static_cast<double>(allocations) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_BuildScene);

}  // namespace
