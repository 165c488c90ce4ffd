// Frames of a scene opened from a file, the way `kelvane FILE` shows it: a
// grid of 72 spheres of 290 polygons each, about 21,000 polygons in all,
// framed and drawn on the headless host. Interactive drawing needs a frame
// in well under 16 ms. A process of its own, as the program's scene is a
// global that the built-in scene's benchmarks also use.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/scene_file.h"
#include "bench/headless_program.h"

namespace {

constexpr int kRows = 8, kColumns = 9;

std::string sphereGrid() {
  std::string text;
  char line[96];
  for (int i = 0; i < kRows; ++i) {
    for (int j = 0; j < kColumns; ++j) {
      std::snprintf(line, sizeof line, "translate([%d, %d, 0]) sphere(r = 1, $fn = 24);\n", 3 * i, 3 * j);
      text += line;
    }
  }
  return text;
}

Viewer& viewerOfTheGrid() {
  static const bool opened = [] {
    const auto path = std::filesystem::temp_directory_path() / "kelvane-bench-sphere-grid.csg";
    std::ofstream(path) << sphereGrid();
    const bool ok = openSceneFile(path.c_str());
    std::filesystem::remove(path);
    return ok;
  }();
  if (!opened) std::abort();
  return startedViewer();
}

void BM_SphereGridFrame(benchmark::State& state) {
  Viewer& viewer = viewerOfTheGrid();
  for (auto _ : state) viewer.drawPlainFrame();
}
BENCHMARK(BM_SphereGridFrame)->Unit(benchmark::kMillisecond);

// Turned, so that about half the faces face the eye from another side.
void BM_SphereGridDragFrame(benchmark::State& state) {
  dragFrames(state, viewerOfTheGrid(), 160, 97);
}
BENCHMARK(BM_SphereGridDragFrame)->Unit(benchmark::kMillisecond);

}  // namespace
