// Runs the program, or parts of it, on the headless host, and reads what it
// drew: the call log of the platform and the frames it flipped. Every test
// runs in a process of its own, so the program's globals start fresh.
#ifndef KELVANE_TESTS_DISPLAY_HEADLESS_H
#define KELVANE_TESTS_DISPLAY_HEADLESS_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/direct_draw_state.h"
#include "platform/headless_host.h"
#include "platform/host.h"
#include "platform/input_script.h"
#include "platform/trace.h"
#include "platform/user.h"
#include "platform/win32.h"

namespace headless {

constexpr int kWidth = platform::kScreenWidth;
constexpr int kHeight = platform::kScreenHeight;

// Installs a headless host with the script (input_script.h syntax) and
// turns the call log on.
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

// The whole program on a fresh headless host; WinMain's result.
inline int runProgram(const std::string& script) {
  install(script);
  char commandLine[] = "";
  return WinMain(platform::programInstance(), nullptr, commandLine, SW_SHOW);
}

// The window, the scene and theViewer, as the program has them before its
// message loop.
inline platform::HeadlessHost& startProgram(const std::string& script = "") {
  platform::HeadlessHost& host = install(script);
  startUp(platform::programInstance(), SW_SHOW);
  EXPECT_NE(theViewer, nullptr);
  return host;
}

inline const std::vector<std::string>& log() { return platform::callLog(); }

// The logged calls whose text starts with `prefix`, such as "Ellipse(".
inline std::vector<std::string> calls(const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& call : log()) {
    if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
  }
  return found;
}

inline int countCalls(const std::string& prefix) { return static_cast<int>(calls(prefix).size()); }

// Position of the first logged call starting with `prefix` at or after
// `from`, or -1.
inline int findCall(const std::string& prefix, int from = 0) {
  for (int i = from; i < static_cast<int>(log().size()); ++i) {
    if (log()[i].compare(0, prefix.size(), prefix) == 0) return i;
  }
  return -1;
}

// A frame's pixel, and the colour its palette gives it as 0xRRGGBB.
inline int pixel(const platform::Frame& frame, int x, int y) { return frame.pixels[y * kWidth + x]; }

inline int colourAt(const platform::Frame& frame, int x, int y) {
  const platform::Rgb& c = frame.palette[pixel(frame, x, y)];
  return c.r << 16 | c.g << 8 | c.b;
}

// Every colour (0xRRGGBB) the frame shows.
inline std::set<int> colours(const platform::Frame& frame) {
  std::set<int> found;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) found.insert(colourAt(frame, x, y));
  return found;
}

// The grey levels the frame shows, besides black and white.
inline std::set<int> greys(const platform::Frame& frame) {
  std::set<int> found;
  for (int c : colours(frame)) {
    const int r = c >> 16, g = c >> 8 & 0xff, b = c & 0xff;
    if (r == g && g == b && r != 0 && r != 255) found.insert(r);
  }
  return found;
}

struct Box {
  int left = kWidth, top = kHeight, right = -1, bottom = -1;  // inclusive
};

// The smallest box around every pixel whose index is not 0.
inline Box drawnExtent(const platform::Frame& frame) {
  Box box;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (pixel(frame, x, y) == 0) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

}  // namespace headless

#endif
