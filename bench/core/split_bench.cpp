#include <benchmark/benchmark.h>

#include "app/scene.h"
#include "bsp/split.h"
#include "polygon/poly_list_ref.h"

namespace {

Plane planeOf(float a, float b, float c, float d) {
  Plane p;
  p.set(a, b, c, d);
  return p;
}

// A face of the unit cube (the -y face, at the head of makeCube's list)
// against a plane that cuts it in two, and against one it lies wholly behind
// (passed on as the same object, with no allocation).
void splitQuad(benchmark::State& state, const Plane& plane) {
  const PolyListRef cube = makeCube(identityMatrix);
  PolyRef quad = cube->pop();
  for (auto _ : state) {
    PolyRef back, front;
    benchmark::DoNotOptimize(splitPoly(quad, plane, back, front));
    benchmark::DoNotOptimize(back.get());
    benchmark::DoNotOptimize(front.get());
  }
}

void BM_SplitSpanningQuad(benchmark::State& state) { splitQuad(state, planeOf(1, 0, 0, -0.2f)); }
void BM_SplitQuadBehind(benchmark::State& state) { splitQuad(state, planeOf(1, 0, 0, -3)); }
BENCHMARK(BM_SplitSpanningQuad);
BENCHMARK(BM_SplitQuadBehind);

}  // namespace
