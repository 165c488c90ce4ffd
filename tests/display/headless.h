// Runs the program, or parts of it, on the headless host, and reads what it
// drew: the call log of the platform and the frames it flipped. Every test
// starts as a new process would, whether ctest runs it alone or the suite
// runs whole in one process.
#ifndef KELVANE_TESTS_DISPLAY_HEADLESS_H
#define KELVANE_TESTS_DISPLAY_HEADLESS_H

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/fresh_platform.h"
#include "platform/host/headless/headless_host.h"
#include "platform/trace/trace.h"
#include "platform/user/user.h"

namespace headless {

// Before each test: the program's state first, whose Viewer gives its
// display back to the platform, then the platform's.
class FreshProcess : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    resetProgramState();
    resetPlatform();
  }
};
inline const bool kFreshProcessPerTest =
    (::testing::UnitTest::GetInstance()->listeners().Append(new FreshProcess), true);

constexpr int kWidth = platform::kScreenWidth;
constexpr int kHeight = platform::kScreenHeight;

// A headless host fed by the script (input_script.h syntax), call log on.
inline platform::HeadlessHost& install(const std::string& script = "") {
  std::vector<platform::ScriptStep> steps;
  platform::ScriptError error;
  EXPECT_TRUE(platform::parseInputScript(script, steps, error)) << error.text();
  auto owned = std::make_unique<platform::HeadlessHost>(steps);
  platform::HeadlessHost& host = *owned;
  platform::setHost(std::move(owned));
  platform::setCallLogging(true);
  return host;
}

inline int runProgram(const std::string& script, std::string commandLine = "") {
  install(script);
  return WinMain(platform::programInstance(), nullptr, commandLine.data(), SW_SHOW);
}

// The program as it stands before its message loop.
inline platform::HeadlessHost& startProgram() {
  platform::HeadlessHost& host = install();
  startUp(platform::programInstance(), SW_SHOW);
  EXPECT_NE(theViewer, nullptr);
  return host;
}

// The logged calls that start with `prefix`, such as "Ellipse(".
inline std::vector<std::string> calls(const std::string& prefix) {
  std::vector<std::string> found;
  std::copy_if(platform::callLog().begin(), platform::callLog().end(), std::back_inserter(found),
               [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
  return found;
}

inline int countCalls(const std::string& prefix) { return static_cast<int>(calls(prefix).size()); }

// Position of the first such call at or after `from`, or -1.
inline int findCall(const std::string& prefix, int from = 0) {
  for (int i = std::max(from, 0); i < static_cast<int>(platform::callLog().size()); ++i)
    if (platform::callLog()[i].rfind(prefix, 0) == 0) return i;
  return -1;
}

// Whether the calls come in this order, each after the one before.
inline bool inOrder(std::initializer_list<const char*> prefixes) {
  int at = -1;
  for (const char* prefix : prefixes)
    if ((at = findCall(prefix, at + 1)) < 0) return false;
  return true;
}

inline int pixel(const platform::Frame& frame, int x, int y) { return frame.pixels[y * kWidth + x]; }

// As 0xRRGGBB.
inline int colourAt(const platform::Frame& frame, int x, int y) {
  const platform::Rgb& c = frame.palette[pixel(frame, x, y)];
  return c.r << 16 | c.g << 8 | c.b;
}

inline std::set<int> colours(const platform::Frame& frame) {
  std::set<int> found;
  for (int i = 0; i < kWidth * kHeight; ++i) found.insert(colourAt(frame, i % kWidth, i / kWidth));
  return found;
}

struct Box {
  int left = kWidth, top = kHeight, right = -1, bottom = -1;  // inclusive
  void add(int x, int y) {
    left = std::min(left, x), right = std::max(right, x);
    top = std::min(top, y), bottom = std::max(bottom, y);
  }
  std::vector<int> sides() const { return {left, top, right, bottom}; }
};

// Around every pixel that is not 0 (black): a frame's palette indices or a
// picture's colours, row by row.
template <class Pixels>
Box drawnExtent(const Pixels& pixels) {
  Box box;
  for (int i = 0; i < static_cast<int>(pixels.size()); ++i)
    if (pixels[i] != 0) box.add(i % kWidth, i / kWidth);
  return box;
}

}  // namespace headless

#endif
