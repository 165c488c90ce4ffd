// kelvane-render as a user runs it: its files and its answers to bad input.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/png_io.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status;
  std::string output;  // stdout and stderr together
};

Outcome render(const std::string& arguments) {
  const std::string command = std::string(KELVANE_BINARY_DIR) + "/kelvane-render " + arguments + " 2>&1";
  Outcome run{-1, ""};
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) run.output += buffer;
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("kelvane-render-test-" + std::to_string(getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string frame(int n) const {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%04d.png", n);
    return (dir / name).string();
  }

  struct Image {
    std::vector<std::uint8_t> pixels;
    platform::Palette palette;
  };
  Image read(int n) const {
    Image image;
    int width = 0, height = 0;
    std::string error;
    EXPECT_TRUE(platform::readIndexedPng(frame(n), image.pixels, width, height, image.palette, &error)) << error;
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    return image;
  }

  static bool hasDisc(const Image& image) {
    for (std::uint8_t index : image.pixels) {
      const platform::Rgb& c = image.palette[index];
      if (c.r == 0x33 && c.g == 0x33 && c.b == 0x33) return true;
    }
    return false;
  }

  fs::path dir;
};

TEST_F(RenderTest, WritesEveryFrameInOrder) {
  const Outcome run = render("--out " + dir.string() + " --drag 320,240:440,240:3");
  ASSERT_EQ(run.status, 0) << run.output;
  // Start-up, press, three moves, release.
  for (int n = 1; n <= 6; ++n) ASSERT_TRUE(fs::exists(frame(n))) << n;
  EXPECT_FALSE(fs::exists(frame(7)));
  EXPECT_FALSE(hasDisc(read(1)));
  for (int n = 2; n <= 5; ++n) EXPECT_TRUE(hasDisc(read(n))) << n;
  EXPECT_FALSE(hasDisc(read(6)));
  EXPECT_NE(read(6).pixels, read(1).pixels);
}

TEST_F(RenderTest, StepsFollowTheOrderOfTheOptions) {
  const Outcome run = render("--out " + dir.string() + " --drag 320,240:320,240:0 --deactivate --activate" +
                         " --drag 100,100:500,400:2");
  ASSERT_EQ(run.status, 0) << run.output;
  // Start-up, press, release, (the background frame is never shown), the
  // frame on return, press, two moves, release.
  EXPECT_TRUE(fs::exists(frame(8)));
  EXPECT_FALSE(fs::exists(frame(9)));
  EXPECT_EQ(read(3).pixels, read(1).pixels);
  EXPECT_EQ(read(4).pixels, read(1).pixels);
  EXPECT_TRUE(hasDisc(read(5)));
}

TEST_F(RenderTest, TheAnimationHoldsEveryFrameWithItsPalette) {
  const std::string gif = (dir / "drag.gif").string();
  const Outcome run = render("--out " + dir.string() + " --drag 320,240:400,300:2 --gif " + gif);
  ASSERT_EQ(run.status, 0) << run.output;
  int error = 0;
  GifFileType* file = DGifOpenFileName(gif.c_str(), &error);
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(DGifSlurp(file), GIF_OK);
  EXPECT_EQ(file->SWidth, 640);
  EXPECT_EQ(file->SHeight, 480);
  ASSERT_EQ(file->ImageCount, 5);
  for (int n = 1; n <= 5; ++n) {
    const Image png = read(n);
    const SavedImage& image = file->SavedImages[n - 1];
    const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : file->SColorMap;
    ASSERT_NE(map, nullptr);
    bool same = true;
    for (std::size_t i = 0; i < png.pixels.size() && same; ++i) {
      const GifColorType& g = map->Colors[image.RasterBits[i]];
      const platform::Rgb& p = png.palette[png.pixels[i]];
      same = g.Red == p.r && g.Green == p.g && g.Blue == p.b;
    }
    EXPECT_TRUE(same) << "frame " << n;
  }
  DGifCloseFile(file, &error);
}

TEST_F(RenderTest, RefusesBadCommandLinesClearly) {
  const std::string out = " --out " + dir.string();
  const struct {
    std::string arguments;
    std::string says;
  } cases[] = {
      {out + " --spin", "unknown option '--spin'"},
      {"--drag 1,2:3,4", "--out DIR is required"},
      {"--out", "--out needs a value"},
      {out + " --drag", "--drag needs a value"},
      {out + " --drag 640,10:20,20", "outside the 640 x 480 screen"},
      {out + " --drag 10,10:20,480", "outside the 640 x 480 screen"},
      {out + " --drag -1,10:20,20", "outside the 640 x 480 screen"},
      {out + " --drag 1,2:3", "is not a pixel X,Y"},
      {out + " --drag 1,2", "is not X0,Y0:X1,Y1[:MOVES]"},
      {out + " --drag 1,2:3,4:x", "MOVES 'x'"},
      {out + " --drag 1,2:3,4:-3", "MOVES '-3'"},
      {out + " --drag 1x,2:3,4", "is not a pixel X,Y of two integers"},
  };
  for (const auto& c : cases) {
    const Outcome run = render(c.arguments);
    EXPECT_NE(run.status, 0) << c.arguments;
    EXPECT_EQ(run.output.rfind("kelvane-render: ", 0), 0u) << run.output;
    EXPECT_NE(run.output.find(c.says), std::string::npos) << c.arguments << "\n" << run.output;
  }
  EXPECT_FALSE(fs::exists(dir));
}

TEST_F(RenderTest, RefusesPathsItCannotWrite) {
  fs::create_directories(dir);
  const fs::path file = dir / "plain-file";
  std::FILE* f = std::fopen(file.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fclose(f);

  Outcome run = render("--out " + (file / "frames").string());
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.output.find("cannot use"), std::string::npos) << run.output;

  run = render("--out " + (dir / "frames").string() + " --gif " + (dir / "missing" / "a.gif").string());
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.output.find("cannot write"), std::string::npos) << run.output;
}

}  // namespace
