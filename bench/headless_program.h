// The program as it stands after start-up on a headless host that, like a
// screen, keeps no frames: once per process, for the frame benchmarks.
#ifndef KELVANE_BENCH_HEADLESS_PROGRAM_H
#define KELVANE_BENCH_HEADLESS_PROGRAM_H

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/program.h"
#include "platform/host/headless/headless_host.h"
#include "platform/user/user.h"

inline Viewer& startedViewer() {
  static Viewer* viewer = [] {
    auto host = std::make_unique<platform::HeadlessHost>(std::vector<platform::ScriptStep>{});
    host->keepFrames(platform::FrameKeeping::None);
    platform::setHost(std::move(host));
    startUp(platform::programInstance(), SW_SHOW);
    return theViewer;
  }();
  return *viewer;
}

// One drag frame an iteration: the press at the centre, then moves that
// wander over spanX by spanY pixels so that no two frames in a row are alike.
inline void dragFrames(benchmark::State& state, Viewer& viewer, int spanX, int spanY) {
  viewer.beginDrag(POINT{320, 240});
  int step = 0;
  for (auto _ : state) {
    viewer.drag(POINT{320 + step % spanX, 240 - step % spanY});
    ++step;
  }
}

#endif
