// The headless host: its input script with errors that say where, the
// frames it records and writes, and running out of script.
#include "platform/headless_host.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/png_io.h"

namespace {

using platform::ScriptEvent;
using platform::ScriptStep;

std::vector<ScriptStep> parsed(const std::string& text) {
  std::vector<ScriptStep> steps;
  platform::ScriptError error;
  EXPECT_TRUE(platform::parseInputScript(text, steps, error)) << error.text();
  return steps;
}

// Each event as kind(x,y,key), steps ended by '|'.
std::string summary(const std::vector<ScriptStep>& steps) {
  std::string text;
  for (const ScriptStep& step : steps) {
    for (const ScriptEvent& e : step) {
      const platform::InputEvent& in = e.input;
      text += e.kind == ScriptEvent::LoseSurfaces ? "lose " : std::to_string(in.kind) + "(" + std::to_string(in.x) + "," +
                                                                  std::to_string(in.y) + "," + std::to_string(in.key) + ") ";
    }
    text += "| ";
  }
  return text;
}

TEST(InputScript, StepsAreLinesAndSemicolonsGroupEvents) {
  EXPECT_EQ(summary(parsed("# a drag\n\nmove 0 0\npress 639 479   # bottom right\nrelease 1 2\r\n"
                           "key escape;key 65 ;;\n\tdeactivate; activate \nclose # ; key up\nlose surfaces now\n")),
            "0(0,0,0) | 1(639,479,0) | 2(1,2,0) | 3(0,0,27) 3(0,0,65) | 5(0,0,0) 4(0,0,0) | 6(0,0,0) | lose | ");
  EXPECT_TRUE(parsed("# nothing\n\n   \n").empty());
}

TEST(InputScript, ErrorsSayWhereAndWhat) {
  const std::pair<const char*, const char*> cases[] = {
      {"jump 1 2", "line 1, column 1: unknown event 'jump'"},
      {"move 1 2\n\nmove 640 0", "line 3, column 6: '640' is out of range 0..639"},
      {"press 1 2; release 3", "line 1, column 21: 'release' needs an x and a y"},
      {"move 1 2 3", "line 1, column 10: unexpected '3'"},
      {"move -1 2", "line 1, column 6: '-1' is not a number"},
      {"key 255", "line 1, column 5: '255' is out of range 1..254"},
      {"key \x01\xff", "line 1, column 5: '\\x01\\xff' is not a number"},
      {"lose surfaces", "line 1, column 14: expected 'lose surfaces now'"},
  };
  for (const auto& [text, says] : cases) {
    std::vector<ScriptStep> steps;
    platform::ScriptError error;
    EXPECT_FALSE(platform::parseInputScript(text, steps, error)) << text;
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(error.text().substr(0, std::string(says).size()), says);
  }
  std::vector<ScriptStep> steps;
  platform::ScriptError error;
  EXPECT_FALSE(platform::parseInputScript(std::string(1000, 'x'), steps, error));
  EXPECT_LT(error.message.size(), 80u);  // long words are cut short
}

TEST(HeadlessHost, RunningOutOfScriptSaysSoAndAnswersFalse) {
  platform::HeadlessHost host(parsed("activate"));
  platform::InputEvent event;
  ASSERT_TRUE(host.waitEvent() && host.pollEvent(event));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(host.waitEvent());
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "kelvane: the input script ran out after 1 steps while the program waits for input\n");
}

TEST(HeadlessHost, KeepsFlipsAndWritesTheChosenOnes) {
  const std::string prefix = std::string(KELVANE_BINARY_DIR) + "/headless-host-test-";
  platform::HeadlessHost host({}), failing({});
  host.writeFrames(prefix, {2});
  failing.writeFrames(prefix + "missing/");
  platform::Palette palette{};
  palette[9] = {200, 100, 50};
  std::vector<std::uint8_t> pixels(640 * 480, 9);
  for (std::uint8_t index : {3, 9, 4}) {
    pixels[1234] = index;
    host.present(pixels.data(), palette);
    if (index == 3) host.keepAllFrames(false);
  }
  failing.present(pixels.data(), palette);
  EXPECT_EQ(host.frameCount() * 10 + int(host.frames().size()), 31);
  EXPECT_EQ(host.frames()[0].number * 10000 + host.frames()[0].pixels[1234], 30004);
  EXPECT_TRUE(host.writeError().empty()) << host.writeError();
  EXPECT_FALSE(failing.writeError().empty());

  std::vector<std::uint8_t> read;
  int width = 0, height = 0;
  platform::Palette readPalette{};
  EXPECT_FALSE(platform::readIndexedPng(prefix + "0001.png", read, width, height, readPalette, nullptr));
  ASSERT_TRUE(platform::readIndexedPng(prefix + "0002.png", read, width, height, readPalette, nullptr));
  EXPECT_EQ(read[1234] + read[0] * 10, 99);
  EXPECT_EQ(readPalette[9].r * 1000 + readPalette[9].b, 200050);
  std::remove((prefix + "0002.png").c_str());
}

}  // namespace
