// Frames of the unchanged program on the headless host: a whole idle frame
// (clear, scene, flip) against the cost of merely writing the frame's bytes
// once, and a drag frame (disc, scene, arc).
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "app/program.h"
#include "platform/host/headless/headless_host.h"
#include "platform/user/user.h"

namespace {

// The program as it stands after start-up, once per process. Like a screen,
// the host keeps no frames.
Viewer& startedViewer() {
  static Viewer* viewer = [] {
    auto host = std::make_unique<platform::HeadlessHost>(std::vector<platform::ScriptStep>{});
    host->keepFrames(platform::FrameKeeping::None);
    platform::setHost(std::move(host));
    startUp(platform::programInstance(), SW_SHOW);
    return theViewer;
  }();
  return *viewer;
}

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
