// Time to the first frame. In process: what the program itself does before
// its first flip (window, scene, display set-up, one frame). As a process:
// kelvane-render started, run to its first frame (written as a PNG), and
// ended by Escape.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "platform/ddraw/direct_draw_state.h"
#include "platform/host/headless/headless_host.h"
#include "platform/user/user.h"

extern char** environ;

namespace {

void BM_StartUpToFirstFrame(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    platform::resetUser();
    platform::resetDirectDraw();
    auto host = std::make_unique<platform::HeadlessHost>(std::vector<platform::ScriptStep>{});
    host->keepFrames(platform::FrameKeeping::None);
    platform::setHost(std::move(host));
    state.ResumeTiming();

    startUp(platform::programInstance(), SW_SHOW);
    theViewer->drawPlainFrame();

    state.PauseTiming();
    resetProgramState();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToFirstFrame);

void BM_ProcessToFirstFrame(benchmark::State& state) {
  namespace fs = std::filesystem;
  const fs::path render = fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "kelvane-render";
  const fs::path out = fs::temp_directory_path() / ("kelvane-bench-" + std::to_string(getpid()));
  if (!fs::exists(render)) {
    state.SkipWithError("kelvane-render is not built next to the benchmarks");
    return;
  }
  std::string program = render.string(), outFlag = "--out", outDir = out.string();
  char* argv[] = {program.data(), outFlag.data(), outDir.data(), nullptr};
  for (auto _ : state) {
    const auto started = std::chrono::steady_clock::now();
    pid_t child = 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", 0, 0);
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("kelvane-render failed");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  }
  fs::remove_all(out);
}
BENCHMARK(BM_ProcessToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
