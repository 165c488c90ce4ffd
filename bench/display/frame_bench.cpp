// Frames of the unchanged program on the headless host: a whole idle frame
// (clear, scene, flip) against the cost of merely writing the frame's bytes
// once, a drag frame (disc, scene, arc), and a frame in a window.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "app/window_mode.h"
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
  dragFrames(state, startedViewer(), 100, 37);
}
BENCHMARK(BM_DragFrame);

// A plain frame in a window whose client area holds the picture twice:
// drawn as on the full screen, then stretched into the client area.
void BM_WindowedFrame(benchmark::State& state) {
  Viewer& viewer = startedViewer();
  toggleWindowMode(mainWindow);
  SetWindowPos(mainWindow, nullptr, 0, 0, 1300, 1000, SWP_NOZORDER);
  for (auto _ : state) viewer.drawPlainFrame();
  toggleWindowMode(mainWindow);
}
BENCHMARK(BM_WindowedFrame);

}  // namespace

namespace {

// The view as a benchmark set it, plain again afterwards.
struct ViewFor {
  explicit ViewFor(Viewer& viewer) : viewer(viewer) {}
  ~ViewFor() { viewer.view = ViewState(); }
  Viewer& viewer;
};

// Painter's replay frames through every polygon in turn: the model cut off
// after k polygons, the k-th outlined; with the tree panel the panel also
// looks up the node of the polygon just drawn.
void replayFrames(benchmark::State& state, bool withTree) {
  ViewFor scoped(startedViewer());
  Viewer& viewer = scoped.viewer;
  viewer.view.showTree = withTree;
  const int total = viewer.facingPolygonCount();
  int k = 0;
  for (auto _ : state) {
    viewer.view.paintLimit = k % total + 1;
    viewer.drawPlainFrame();
    ++k;
  }
}

void BM_PainterReplayFrame(benchmark::State& state) { replayFrames(state, false); }
BENCHMARK(BM_PainterReplayFrame);

// A plain frame with the tree panel: layout, links, nodes and counts.
void BM_TreePanelFrame(benchmark::State& state) {
  ViewFor scoped(startedViewer());
  scoped.viewer.view.showTree = true;
  for (auto _ : state) scoped.viewer.drawPlainFrame();
}
BENCHMARK(BM_TreePanelFrame);

void BM_ReplayWithTreePanelFrame(benchmark::State& state) { replayFrames(state, true); }
BENCHMARK(BM_ReplayWithTreePanelFrame);

}  // namespace
