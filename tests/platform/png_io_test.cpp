// Indexed PNG files: a frame and its palette come back exactly; bad paths
// and bad files give a message and leave the outputs alone.
#include "platform/host/headless/png_io.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "platform/gdi/palette.h"

namespace {

std::string scratch(const std::string& name) { return std::string(KELVANE_BINARY_DIR) + "/png_io_test_" + name; }

TEST(PngIo, FrameAndPaletteComeBackExactlyAndBadFilesAreRefused) {
  std::vector<std::uint8_t> frame(640 * 480), pixels;
  for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<std::uint8_t>(i * 7 + i / 640);
  platform::Palette palette = platform::defaultPalette(), read{};
  palette[200] = {1, 2, 3};
  std::string error;
  int width = 0, height = 0;
  ASSERT_TRUE(platform::writeIndexedPng(scratch("whole.png"), frame.data(), 640, 480, palette, &error)) << error;
  ASSERT_TRUE(platform::readIndexedPng(scratch("whole.png"), pixels, width, height, read, &error)) << error;
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  EXPECT_EQ(pixels, frame);
  EXPECT_EQ(std::memcmp(read.data(), palette.data(), sizeof palette), 0);

  std::ifstream in(scratch("whole.png"), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::ofstream(scratch("cut.png"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  std::ofstream(scratch("text.png")) << "not a picture";
  pixels = {9};
  for (const auto& [name, says] : {std::pair{"absent.png", "absent.png"}, {"text.png", "not a PNG"}, {"cut.png", ""}}) {
    EXPECT_FALSE(platform::readIndexedPng(scratch(name), pixels, width, height, read, &error)) << name;
    EXPECT_NE(error.find(says), std::string::npos) << error;
  }
  EXPECT_EQ(pixels, std::vector<std::uint8_t>{9});
  for (const char* name : {"whole.png", "cut.png", "text.png"}) std::remove(scratch(name).c_str());
  EXPECT_FALSE(platform::writeIndexedPng(scratch("missing/x.png"), frame.data(), 2, 2, palette, &error));
  EXPECT_NE(error.find("missing/x.png"), std::string::npos) << error;
  EXPECT_FALSE(platform::writeIndexedPng(scratch("x.png"), frame.data(), 0, 2, palette, nullptr));
}

}  // namespace
