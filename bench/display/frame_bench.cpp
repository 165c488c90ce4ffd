// Frames of the unchanged program on the headless host: a whole idle frame
// (clear, scene, flip) against the cost of merely writing the frame's bytes
// once, and a drag frame (disc, scene, arc).
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "bench/headless_program.h"

namespace {

void BM_IdleFrame(benchmark::State& state) {
  Viewer& viewer = startedViewer();
  for (auto _ : state) viewer.drawPlainFrame();
}
BENCHMARK(BM_IdleFrame);

// The floor: one pass of writes over a 640 x 480 frame of bytes.
void BM_FrameMemset(benchmark::State& state) {
  std::vector<unsigned char> frame(platform::kScreenWidth * platform::kScreenHeight);
  unsigned char value = 0;
  for (auto _ : state) {
    std::memset(frame.data(), ++value, frame.size());
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FrameMemset);

void BM_DragFrame(benchmark::State& state) {
  Viewer& viewer = startedViewer();
  viewer.beginDrag(POINT{320, 240});
  int step = 0;
  for (auto _ : state) {
    viewer.drag(POINT{320 + step % 100, 240 - step % 37});
    ++step;
  }
}
BENCHMARK(BM_DragFrame);

}  // namespace
