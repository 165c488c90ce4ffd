// Indexed PNG files: a frame and its palette come back exactly; bad paths
// and bad files give a message and leave the outputs alone.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "platform/palette.h"
#include "platform/png_io.h"

namespace {

std::string scratch(const std::string& name) { return std::string(KELVANE_BINARY_DIR) + "/png_io_test_" + name; }

TEST(PngIo, FrameAndPaletteComeBackExactly) {
  std::vector<std::uint8_t> frame(640 * 480), pixels;
  for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<std::uint8_t>(i * 7 + i / 640);
  platform::Palette palette = platform::defaultPalette(), read{};
  palette[200] = {1, 2, 3};
  std::string error;
  int width = 0, height = 0;
  ASSERT_TRUE(platform::writeIndexedPng(scratch("round.png"), frame.data(), 640, 480, palette, &error)) << error;
  ASSERT_TRUE(platform::readIndexedPng(scratch("round.png"), pixels, width, height, read, &error)) << error;
  EXPECT_EQ(width * 1000 + height, 640480);
  EXPECT_EQ(pixels, frame);
  EXPECT_EQ(std::memcmp(read.data(), palette.data(), sizeof palette), 0);
  std::remove(scratch("round.png").c_str());
}

TEST(PngIo, BadPathsAndFilesAreRefusedWithAMessage) {
  std::vector<std::uint8_t> frame(64 * 64, 3), pixels = {9};
  std::string error;
  EXPECT_FALSE(platform::writeIndexedPng(scratch("missing/x.png"), frame.data(), 2, 2, platform::defaultPalette(), &error));
  EXPECT_NE(error.find("missing/x.png"), std::string::npos) << error;
  EXPECT_FALSE(platform::writeIndexedPng(scratch("x.png"), nullptr, 2, 2, platform::defaultPalette(), &error));
  EXPECT_FALSE(platform::writeIndexedPng(scratch("x.png"), frame.data(), 0, 2, platform::defaultPalette(), nullptr));
  EXPECT_FALSE(std::ifstream(scratch("x.png")).good());

  std::ofstream(scratch("text.png")) << "not a picture";
  png_image image = {};  // a grey PNG made by libpng itself
  image.version = PNG_IMAGE_VERSION;
  image.width = image.height = 2;
  image.format = PNG_FORMAT_GRAY;
  ASSERT_TRUE(png_image_write_to_file(&image, scratch("grey.png").c_str(), 0, frame.data(), 0, nullptr));
  ASSERT_TRUE(platform::writeIndexedPng(scratch("whole.png"), frame.data(), 64, 64, platform::defaultPalette(), &error));
  std::ifstream in(scratch("whole.png"), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::ofstream(scratch("cut.png"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  int width = 5, height = 5;
  platform::Palette palette{};
  for (const auto& [name, says] : {std::pair{"absent.png", "absent.png"}, {"text.png", "not a PNG"},
                                   {"grey.png", "palette"}, {"cut.png", ""}}) {
    EXPECT_FALSE(platform::readIndexedPng(scratch(name), pixels, width, height, palette, &error)) << name;
    EXPECT_NE(error.find(says), std::string::npos) << error;
    std::remove(scratch(name).c_str());
  }
  EXPECT_EQ(pixels, std::vector<std::uint8_t>{9});
  EXPECT_EQ(width, 5);
  std::remove(scratch("whole.png").c_str());
}

}  // namespace
