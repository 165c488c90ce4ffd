#include <benchmark/benchmark.h>

#include <string>

#include "app/scene.h"
#include "bench/csg/csg_run.h"
#include "bsp/csg.h"
#include "model/closed_mesh.h"
#include "model/face_triangulation.h"

namespace {

// Closing up the boundary of a result and cutting it into triangles: all
// an STL export does before it writes. The result itself is made once.
void closeAndCut(benchmark::State& state, const PolyListRef& polygons) {
  for (auto _ : state) {
    ClosedMesh mesh;
    std::string error;
    if (!buildClosedMesh(polygons, mesh, error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    TriangleMesh triangles;
    if (!triangulateFaces(mesh, triangles, error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    benchmark::DoNotOptimize(triangles.triangles.data());
  }
}

void BM_ExportDemo(benchmark::State& state) {
  BspTree tree;
  buildSceneSolid(tree);
  closeAndCut(state, solidPolygons(tree));
}
BENCHMARK(BM_ExportDemo)->Unit(benchmark::kMillisecond);

// A shared workload's result: swiss-cheese-8, a cube with eight holes
// through it (1,819 faces, many of them cut), and swiss-cheese-64 (36,230);
// cube-minus-sphere-64, whose seams run along a sphere's shallow angles;
// boxes-union-1000, 42,000 faces.
void BM_ExportWorkload(benchmark::State& state, const char* name) {
  const CsgRunResult run =
      runOperations(loadWorkload(std::string(KELVANE_SOURCE_DIR "/../shared/workloads/") + name + ".json"));
  closeAndCut(state, solidPolygons(*run.tree));
}
BENCHMARK_CAPTURE(BM_ExportWorkload, SwissCheese8, "swiss-cheese-8")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportWorkload, SwissCheese64, "swiss-cheese-64")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportWorkload, CubeMinusSphere64, "cube-minus-sphere-64")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportWorkload, BoxesUnion1000, "boxes-union-1000")->Unit(benchmark::kMillisecond);

}  // namespace
