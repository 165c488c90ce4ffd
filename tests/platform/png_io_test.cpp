// Indexed PNG files: a frame and its palette come back exactly; bad files
// and bad paths give a message, never a crash.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <fstream>

#include "platform/palette.h"
#include "platform/png_io.h"

namespace {

std::string scratchPath(const std::string& name) {
  return std::string(KELVANE_BINARY_DIR) + "/png_io_test_" + name;
}

TEST(PngIoTest, FrameAndPaletteRoundTrip) {
  const int width = 640, height = 480;
  std::vector<std::uint8_t> frame(width * height);
  for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<std::uint8_t>(i * 7 + i / 640);
  platform::Palette palette = platform::defaultPalette();
  palette[200] = {1, 2, 3};
  const std::string path = scratchPath("round_trip.png");
  std::string error;
  ASSERT_TRUE(platform::writeIndexedPng(path, frame.data(), width, height, palette, &error)) << error;

  std::vector<std::uint8_t> pixels;
  int readWidth = 0, readHeight = 0;
  platform::Palette readPalette{};
  ASSERT_TRUE(platform::readIndexedPng(path, pixels, readWidth, readHeight, readPalette, &error)) << error;
  EXPECT_EQ(readWidth, width);
  EXPECT_EQ(readHeight, height);
  EXPECT_EQ(pixels, frame);
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(readPalette[i].r, palette[i].r) << i;
    EXPECT_EQ(readPalette[i].g, palette[i].g) << i;
    EXPECT_EQ(readPalette[i].b, palette[i].b) << i;
  }
  std::remove(path.c_str());
}

TEST(PngIoTest, WritingToAnImpossiblePlaceFailsWithAMessageAndLeavesNothing) {
  std::vector<std::uint8_t> frame(4, 1);
  std::string error;
  EXPECT_FALSE(platform::writeIndexedPng(scratchPath("missing/dir/x.png"), frame.data(), 2, 2,
                                         platform::defaultPalette(), &error));
  EXPECT_NE(error.find("missing/dir/x.png"), std::string::npos) << error;
  EXPECT_FALSE(platform::writeIndexedPng(scratchPath("x.png"), nullptr, 2, 2, platform::defaultPalette(), &error));
  EXPECT_FALSE(platform::writeIndexedPng(scratchPath("x.png"), frame.data(), 0, 2, platform::defaultPalette(),
                                         nullptr));
  EXPECT_FALSE(std::ifstream(scratchPath("x.png")).good());
}

TEST(PngIoTest, ReadingRefusesWhatIsNotAnIndexedPng) {
  std::vector<std::uint8_t> pixels = {9};
  int width = 5, height = 5;
  platform::Palette palette{};
  std::string error;
  EXPECT_FALSE(platform::readIndexedPng(scratchPath("absent.png"), pixels, width, height, palette, &error));
  EXPECT_NE(error.find("absent.png"), std::string::npos);

  const std::string text = scratchPath("text.png");
  std::ofstream(text) << "not a picture";
  EXPECT_FALSE(platform::readIndexedPng(text, pixels, width, height, palette, &error));
  EXPECT_NE(error.find("not a PNG"), std::string::npos) << error;

  // A grey PNG written by libpng itself, and a palette PNG cut short.
  const std::string grey = scratchPath("grey.png");
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = 2;
  image.height = 2;
  image.format = PNG_FORMAT_GRAY;
  const png_byte greyPixels[4] = {0, 80, 160, 240};
  ASSERT_TRUE(png_image_write_to_file(&image, grey.c_str(), 0, greyPixels, 0, nullptr));
  EXPECT_FALSE(platform::readIndexedPng(grey, pixels, width, height, palette, &error));
  EXPECT_NE(error.find("palette"), std::string::npos) << error;

  const std::string whole = scratchPath("whole.png"), cut = scratchPath("cut.png");
  std::vector<std::uint8_t> frame(64 * 64, 3);
  ASSERT_TRUE(platform::writeIndexedPng(whole, frame.data(), 64, 64, platform::defaultPalette(), &error));
  std::ifstream in(whole, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  EXPECT_FALSE(platform::readIndexedPng(cut, pixels, width, height, palette, &error));
  EXPECT_EQ(pixels, std::vector<std::uint8_t>{9});  // outputs untouched on failure
  EXPECT_EQ(width, 5);
  for (const std::string& path : {text, grey, whole, cut}) std::remove(path.c_str());
}

}  // namespace
