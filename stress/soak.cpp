// kelvane-soak: the unchanged program on the headless host through a long
// scripted session: thousands of trackball drags of random lengths and
// directions, with focus lost and regained, surfaces lost under it, hovering
// and stray keys in between, and Escape only at the very end.
//
//   kelvane-soak [--drags=N] [--seed=S]
//
// Every flipped frame is checked: the model rotation is still a pure
// rotation (so the model is drawn at its full size), every matrix and every
// projected vertex of the scene is finite, and a frame without the trackball
// shows the model at least as large as its smallest silhouette allows.
// Memory must stay flat: the resident size may not grow between the first
// tenth of the run and its end. Prints a summary with the peak resident size
// and exits 1 when a check failed.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/scene.h"
#include "bsp/bsp_node.h"
#include "platform/host/headless/headless_host.h"
#include "stress/script_steps.h"
#include "support/command_line.h"

namespace {

using platform::InputEvent;
using platform::ScriptStep;

// A frame without the trackball must show the model at least this share of
// the first frame's extent: the smallest silhouette of the channelled cube
// is well above it, a model shrinking with rounding drift soon falls below.
constexpr double kSmallestExtent = 0.6;
constexpr double kRotationTolerance = 1e-4;
constexpr long kMemoryGrowthKiB = 2048;
// The address sanitizer holds freed memory back in quarantine, so under it
// the resident size grows by design and says nothing about leaks (its own
// leak checker does).
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kJudgeMemory = false;
#else
constexpr bool kJudgeMemory = true;
#endif

struct Options {
  int drags = 10000;
  unsigned seed = 1;
};

long residentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long peakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// What the soak feeds the program, and which steps end in a frame that
// shows the model alone.
struct Script {
  std::vector<ScriptStep> steps;
  std::vector<bool> plainAfter;
  int drags = 0;
  std::size_t tenthStep = 0;  // the first step after a tenth of the drags

  void add(ScriptStep s, bool plain = false) {
    steps.push_back(std::move(s));
    plainAfter.push_back(plain);
  }
};

Script makeScript(const Options& o) {
  std::mt19937 random(o.seed);
  auto uniform = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  Script script;
  for (int d = 0; d < o.drags; ++d) {
    if (d == o.drags / 10) script.tenthStep = script.steps.size();
    switch (uniform(0, 19)) {
      case 0:  // away and back: exclusive mode loses the surfaces meanwhile
        script.add(inputStep(InputEvent::Deactivate));
        script.add(inputStep(InputEvent::Activate), true);
        break;
      case 1:
        script.add(loseSurfacesStep());
        break;
      case 2: {  // any key but Escape
        const int key = uniform(1, 253);
        script.add(inputStep(InputEvent::KeyDown, 0, 0, static_cast<unsigned>(key < VK_ESCAPE ? key : key + 1)));
        break;
      }
      case 3:
        script.add(inputStep(InputEvent::MouseMove, uniform(0, 639), uniform(0, 479)));
        break;
      default:
        break;
    }
    int x = uniform(0, 639);
    int y = uniform(0, 479);
    script.add(inputStep(InputEvent::LeftDown, x, y));
    const double angle = std::uniform_real_distribution<double>(0.0, 6.283185307179586)(random);
    const int moves = uniform(1, 12);
    for (int m = 0; m < moves; ++m) {
      const int length = uniform(1, 60);
      x = std::clamp(x + static_cast<int>(std::lround(length * std::cos(angle))), 0, 639);
      y = std::clamp(y + static_cast<int>(std::lround(length * std::sin(angle))), 0, 479);
      script.add(inputStep(InputEvent::MouseMove, x, y));
      if (uniform(0, 199) == 0) script.add(loseSurfacesStep());
    }
    script.add(inputStep(InputEvent::LeftUp, x, y), true);
    ++script.drags;
  }
  script.add(inputStep(InputEvent::KeyDown, 0, 0, VK_ESCAPE));
  return script;
}

struct Extent {
  int width = 0;
  int height = 0;
};

Extent drawnExtent(const std::uint8_t* pixels) {
  int left = platform::kScreenWidth, right = -1, top = platform::kScreenHeight, bottom = -1;
  for (int y = 0; y < platform::kScreenHeight; ++y) {
    const std::uint8_t* row = pixels + y * platform::kScreenWidth;
    for (int x = 0; x < platform::kScreenWidth; ++x) {
      if (row[x] == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return right < 0 ? Extent{} : Extent{right - left + 1, bottom - top + 1};
}

bool finite(const Matrix4& m) {
  for (const auto& row : m.m) {
    for (float v : row) {
      if (!std::isfinite(v)) return false;
    }
  }
  return true;
}

// Rows of unit length, orthogonal, right-handed; no translation.
bool pureRotation(const Matrix4& m) {
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      double dot = 0.0;
      for (int k = 0; k < 3; ++k) dot += double(m.m[i][k]) * m.m[j][k];
      if (std::fabs(dot - (i == j ? 1.0 : 0.0)) > kRotationTolerance) return false;
    }
  }
  const double det = m.m[0][0] * (double(m.m[1][1]) * m.m[2][2] - double(m.m[1][2]) * m.m[2][1]) -
                     m.m[0][1] * (double(m.m[1][0]) * m.m[2][2] - double(m.m[1][2]) * m.m[2][0]) +
                     m.m[0][2] * (double(m.m[1][0]) * m.m[2][1] - double(m.m[1][1]) * m.m[2][0]);
  return std::fabs(det - 1.0) <= kRotationTolerance && m.m[3][0] == 0.0f && m.m[3][1] == 0.0f &&
         m.m[3][2] == 0.0f && m.m[0][3] == 0.0f && m.m[1][3] == 0.0f && m.m[2][3] == 0.0f;
}

// Every vertex of the scene through the matrix the Viewer projects with.
bool verticesProjectFinite(const Matrix4& combined) {
  std::vector<const BspTree*> pending{sceneTree};
  while (!pending.empty()) {
    const BspTree* t = pending.back();
    pending.pop_back();
    if (t == nullptr || t->isEmpty()) continue;
    for (const PolyNode* n = t->root->coplanar->head; n != nullptr; n = n->next) {
      for (int i = 0; i < n->poly->vertexCount; ++i) {
        const Point3& v = n->poly->vertices[i];
        for (int c = 0; c < 4; ++c) {
          const double p = double(v.x) * combined.m[0][c] + double(v.y) * combined.m[1][c] +
                           double(v.z) * combined.m[2][c] + double(v.w) * combined.m[3][c];
          if (!std::isfinite(p)) return false;
        }
      }
    }
    pending.insert(pending.end(), {&t->root->back, &t->root->front});
  }
  return true;
}

class SoakHost : public platform::HeadlessHost {
 public:
  explicit SoakHost(Script script) : HeadlessHost(script.steps), script_(std::move(script)) { keepAllFrames(false); }

  void present(const std::uint8_t* pixels, const platform::Palette& palette) override {
    HeadlessHost::present(pixels, palette);
    const std::size_t handed = stepsHandedOver();
    if (handed > script_.tenthStep && tenthKiB_ == 0) tenthKiB_ = residentKiB();
    if (theViewer == nullptr) return fail("a frame was flipped without a Viewer");
    if (!finite(theViewer->modelRotation) || !finite(theViewer->combined) || !std::isfinite(theViewer->eyeInModel.x) ||
        !std::isfinite(theViewer->eyeInModel.y) || !std::isfinite(theViewer->eyeInModel.z)) {
      return fail("a matrix of the Viewer is not finite");
    }
    if (!pureRotation(theViewer->modelRotation)) return fail("the model rotation is no longer a pure rotation");
    if (!verticesProjectFinite(theViewer->combined)) return fail("a projected vertex is not finite");
    const bool plain = handed == 0 || script_.plainAfter[handed - 1];
    if (!plain) return;
    const Extent e = drawnExtent(pixels);
    if (first_.width == 0) first_ = e;
    const double share = std::min(double(e.width) / first_.width, double(e.height) / first_.height);
    smallestShare_ = std::min(smallestShare_, share);
    ++plainFrames_;
    if (share < kSmallestExtent) fail("a frame shows the model smaller than it can be");
  }

  int failures() const { return failures_; }
  int plainFrames() const { return plainFrames_; }
  double smallestShare() const { return smallestShare_; }
  long tenthKiB() const { return tenthKiB_; }
  const Script& script() const { return script_; }

 private:
  void fail(const char* what) {
    if (failures_++ < 10) std::fprintf(stderr, "kelvane-soak: frame %d: %s\n", frameCount(), what);
  }

  Script script_;
  Extent first_;
  int failures_ = 0;
  int plainFrames_ = 0;
  double smallestShare_ = 1.0;
  long tenthKiB_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  Options o;
  support::CommandLine line("kelvane-soak", "[--drags=N] [--seed=S]");
  line.option("--drags", "N", "number of drags (default 10000)", 1, 1000000, o.drags)
      .option("--seed", "S", "seed of the random session (default 1)", 0u, 0xFFFFFFFFu, o.seed);
  if (const auto end = line.parse(argc, argv)) return support::finishOutput(line.program(), *end);
  auto owned = std::make_unique<SoakHost>(makeScript(o));
  SoakHost& host = *owned;
  const int status = runProgram(std::move(owned));
  const long endKiB = residentKiB();
  const long growth = endKiB - host.tenthKiB();

  std::printf("drags\t%d\nsteps\t%zu\nframes\t%d\nplain_frames\t%d\nsmallest_model_extent\t%.3f\n", host.script().drags,
              host.script().steps.size(), host.frameCount(), host.plainFrames(), host.smallestShare());
  std::printf("rss_after_first_tenth_kib\t%ld\nrss_at_end_kib\t%ld\npeak_rss_kib\t%ld\nexit_status\t%d\n",
              host.tenthKiB(), endKiB, peakKiB(), status);
  bool ok = host.failures() == 0;
  if (status != 1) {
    std::fprintf(stderr, "kelvane-soak: the program ended with status %d, not by Escape\n", status);
    ok = false;
  }
  if (host.stepsLeft() != 0) {
    std::fprintf(stderr, "kelvane-soak: the program stopped with %zu steps unread\n", host.stepsLeft());
    ok = false;
  }
  if (kJudgeMemory && host.tenthKiB() > 0 && growth > kMemoryGrowthKiB) {
    std::fprintf(stderr, "kelvane-soak: memory grew by %ld KiB after the first tenth\n", growth);
    ok = false;
  }
  if (host.failures() > 0) std::fprintf(stderr, "kelvane-soak: %d frames failed their checks\n", host.failures());
  std::printf("verdict\t%s\n", ok ? "held" : "FAILED");
  return support::finishOutput(line.program(), ok ? support::kExitDone : support::kExitFailed);
}
