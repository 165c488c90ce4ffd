#include <benchmark/benchmark.h>

#include "app/scene.h"

namespace {

// Building the whole model: three cubes, two combinations and the clean-up.
// Freeing each tree is left out of the figure.
void BM_BuildScene(benchmark::State& state) {
  for (auto _ : state) {
    buildScene();
    benchmark::DoNotOptimize(sceneTree);
    state.PauseTiming();
    delete sceneTree;
    sceneTree = nullptr;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildScene);

}  // namespace
