#include <benchmark/benchmark.h>

#include "app/scene.h"
#include "bench/core/draw_counter.h"

namespace {

// One frame's walk of the finished scene from the default eye.
void BM_DrawScene(benchmark::State& state) {
  if (sceneTree == nullptr) buildScene();
  const Point3 eye(0, 0, 5, 1);
  drawnPolyCount = 0;
  for (auto _ : state) sceneTree->draw(eye);
  state.counters["polys"] = static_cast<double>(drawnPolyCount) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DrawScene);

}  // namespace
