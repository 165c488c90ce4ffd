#include "platform/headless_host.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/png_io.h"

namespace {

using platform::HeadlessHost;
using platform::InputEvent;

std::vector<platform::ScriptStep> script(const std::string& text) {
  std::vector<platform::ScriptStep> steps;
  platform::ScriptError error;
  EXPECT_TRUE(platform::parseInputScript(text, steps, error)) << error.text();
  return steps;
}

std::vector<std::uint8_t> filled(std::uint8_t index) {
  return std::vector<std::uint8_t>(platform::kScreenWidth * platform::kScreenHeight, index);
}

TEST(HeadlessHost, RunningOutSaysSoAndAnswersFalse) {
  HeadlessHost host(script("activate"));
  ASSERT_TRUE(host.waitEvent());
  InputEvent event;
  host.pollEvent(event);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(host.waitEvent());
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "kelvane: the input script ran out after 1 steps while the program waits for input\n");
}

TEST(HeadlessHost, RecordsEveryFlipAndKeepsTheLastWhenAskedTo) {
  HeadlessHost host({});
  platform::Palette palette{};
  palette[3] = {1, 2, 3};
  host.present(filled(3).data(), palette);
  host.present(filled(4).data(), palette);
  ASSERT_EQ(host.frames().size(), 2u);
  EXPECT_EQ(host.frames()[0].number, 1);
  EXPECT_EQ(host.frames()[0].pixels[1234], 3);
  EXPECT_EQ(host.frames()[0].palette[3].b, 3);
  EXPECT_EQ(host.frames()[1].pixels[0], 4);

  host.keepAllFrames(false);
  host.present(filled(5).data(), palette);
  EXPECT_EQ(host.frameCount(), 3);
  ASSERT_EQ(host.frames().size(), 1u);
  EXPECT_EQ(host.frames()[0].number, 3);
}

TEST(HeadlessHost, WritesTheChosenFramesAsIndexedPngs) {
  const std::string prefix = std::string(KELVANE_BINARY_DIR) + "/headless-host-test-";
  std::remove((prefix + "0001.png").c_str());
  HeadlessHost host({});
  host.writeFrames(prefix, {2});
  platform::Palette palette{};
  palette[9] = {200, 100, 50};
  std::vector<std::uint8_t> pixels = filled(9);
  pixels[640 * 479 + 639] = 1;
  host.present(filled(0).data(), palette);
  host.present(pixels.data(), palette);
  EXPECT_TRUE(host.writeError().empty()) << host.writeError();

  std::vector<std::uint8_t> read;
  int width = 0, height = 0;
  platform::Palette readPalette{};
  EXPECT_FALSE(platform::readIndexedPng(prefix + "0001.png", read, width, height, readPalette, nullptr));
  std::string error;
  ASSERT_TRUE(platform::readIndexedPng(prefix + "0002.png", read, width, height, readPalette, &error)) << error;
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  EXPECT_EQ(read, pixels);
  EXPECT_EQ(readPalette[9].r, 200);
  EXPECT_EQ(readPalette[9].b, 50);
  std::remove((prefix + "0002.png").c_str());
}

TEST(HeadlessHost, KeepsTheFirstWriteError) {
  HeadlessHost host({});
  host.writeFrames(std::string(KELVANE_BINARY_DIR) + "/no-such-directory/frame-");
  host.present(filled(0).data(), platform::Palette{});
  EXPECT_FALSE(host.writeError().empty());
  EXPECT_EQ(host.frameCount(), 1);
}

}  // namespace
