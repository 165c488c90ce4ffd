// kelvane-render as a user runs it: its files and its answers to bad input.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "display/headless.h"
#include "platform/host/headless/png_io.h"
#include "support/file_size_limit.h"
#include "support/run_command.h"
#include "support/scratch_folder.h"
#include "tools/output_paths.h"

namespace {

namespace fs = std::filesystem;

class RenderTest : public ScratchFolderTest {
 protected:
  RenderTest() : ScratchFolderTest("render-test") {}

  // The exit status; stdout and stderr together in `output`.
  int render(const std::string& arguments) {
    const CommandRun run = runCommand(KELVANE_BINARY_DIR "/kelvane-render " + arguments + " 2>&1");
    output = run.output;
    return run.status;
  }

  std::string frame(int n) const { return (dir / "out" / ("frame-000" + std::to_string(n) + ".png")).string(); }

  // Frame n, one 0xRRGGBB a pixel.
  std::vector<int> read(int n) const {
    std::vector<std::uint8_t> pixels;
    platform::Palette palette;
    int width = 0, height = 0;
    std::string error;
    EXPECT_TRUE(platform::readIndexedPng(frame(n), pixels, width, height, palette, &error)) << error;
    std::vector<int> colours;
    for (std::uint8_t i : pixels) colours.push_back(palette[i].r << 16 | palette[i].g << 8 | palette[i].b);
    return colours;
  }

  std::string output;
};

// Start-up, press, three moves, release: as files, and as the animation.
TEST_F(RenderTest, WritesEveryFrameInOrderAndTheSameAsAnAnimation) {
  const std::string gif = (dir / "drag.gif").string();
  ASSERT_EQ(render("--out " + (dir / "out").string() + " --drag 320,240:440,240:3 --gif " + gif), 0) << output;
  EXPECT_FALSE(fs::exists(frame(7)));
  int error = 0;
  GifFileType* file = DGifOpenFileName(gif.c_str(), &error);
  ASSERT_NE(file, nullptr) << error;
  ASSERT_EQ(DGifSlurp(file), GIF_OK) << error;
  EXPECT_EQ(file->ImageCount, 6);
  for (int n = 1; n <= 6 && n <= file->ImageCount; ++n) {
    const std::vector<int> png = read(n);
    ASSERT_EQ(png.size(), 640u * 480u);
    EXPECT_EQ(std::count(png.begin(), png.end(), 0x333333) > 0, n >= 2 && n <= 5) << "disc in frame " << n;
    const SavedImage& image = file->SavedImages[n - 1];
    const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : file->SColorMap;
    int differing = 0;
    for (std::size_t i = 0; i < png.size(); ++i) {
      const GifColorType& c = map->Colors[image.RasterBits[i]];
      differing += (c.Red << 16 | c.Green << 8 | c.Blue) != png[i];
    }
    EXPECT_EQ(differing, 0) << "frame " << n;
  }
  DGifCloseFile(file, &error);
}

// The options in the order given: step 1 with the tree panel, then the
// painter's replay of it, one frame per polygon, ending on the plain frame.
TEST_F(RenderTest, StageTreeAndPainterOptionsDriveTheViewerKeys) {
  ASSERT_EQ(render("--out " + (dir / "out").string() + " --stage 1 --tree --key t --painter --key 0"), 0) << output;
  // Start, step 1, panel on, panel off.
  const std::vector<int> start = read(1), step = read(2), panel = read(3), hidden = read(4);
  EXPECT_NE(step, start);
  EXPECT_NE(panel, step);
  EXPECT_EQ(hidden, step);
  int frames = 4;
  while (fs::exists(frame(frames + 1))) ++frames;
  // The cube seen straight on shows one face: one replay frame, the plain
  // step frame again, then key 0 back to the start.
  EXPECT_EQ(frames, 7) << output;
  EXPECT_EQ(read(6), step);
  EXPECT_EQ(read(7), start);
}

TEST_F(RenderTest, RefusesBadCommandLinesAndPathsItCannotWrite) {
  std::fclose(std::fopen((dir / "plain-file").c_str(), "w"));
  const std::string out = " --out " + (dir / "out").string();
  const std::pair<std::string, std::string> cases[] = {
      {"--drag 1,2:3,4", "--out DIR or --export FILE is required"},
      {out + " --drag 640,10:20,20", "outside the 640 x 480 screen"},
      {"--out " + (dir / "plain-file" / "out").string(), "cannot use"},
      {out + " --gif " + (dir / "missing" / "a.gif").string(), "cannot write"},
      {out + " --key 255", "--key: '255'"},
      {out + " --key F13", "--key: 'F13'"},
      {out + " --stage 10", "--stage: N: '10'"},
      {"--export " + (dir / "model.ply").string(), "model.ply': the name must end in .stl or .obj"},
      {"--export " + (dir / "model.stl").string() + " --drag 1,2:3,4", "frames need --out DIR"},
      {"--export " + (dir / "missing" / "model.stl").string(), "cannot write"},
  };
  for (const auto& [arguments, says] : cases) {
    EXPECT_NE(render(arguments), 0) << arguments;
    EXPECT_EQ(output.rfind("kelvane-render: ", 0), 0u) << output;
    EXPECT_NE(output.find(says), std::string::npos) << arguments << "\n" << output;
  }
  // No model, and no half-written one.
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    EXPECT_EQ(entry.path().filename().string().find("model"), std::string::npos) << entry.path();
  }
}

// The model as a mesh file, alone or beside the frames. Whether the mesh is
// closed is the export suite's business; here it is the program's answer.
TEST_F(RenderTest, ExportsTheModelWithOrWithoutFrames) {
  const std::string stl = (dir / "demo.stl").string();
  ASSERT_EQ(render("--export " + stl), 0) << output;
  std::size_t faces = 0;
  ASSERT_EQ(std::sscanf(output.c_str(), "kelvane-render: %zu faces", &faces), 1) << output;
  EXPECT_EQ(fs::file_size(stl), 84 + 50 * faces);
  EXPECT_FALSE(fs::exists(dir / "out"));

  const std::string obj = (dir / "demo.obj").string();
  ASSERT_EQ(render("--out " + (dir / "out").string() + " --export " + obj), 0) << output;
  EXPECT_TRUE(fs::exists(frame(1)));
  EXPECT_NE(output.find("written to " + obj), std::string::npos) << output;
  EXPECT_GT(fs::file_size(obj), 0u);
}

// A scene file is drawn centred, about as large as the built-in scene; the
// built-in scene written as a file covers nearly the same pixels.
TEST_F(RenderTest, FramesASceneFileLikeTheBuiltInScene) {
  const std::string out = " --out " + (dir / "out").string();
  ASSERT_EQ(render(out), 0) << output;
  const headless::Box builtIn = headless::drawnExtent(read(1));
  for (const char* example : {"demo.csg", "swiss-cheese.csg", "torus.obj"}) {
    ASSERT_EQ(render(out + " --force --scene " KELVANE_SOURCE_DIR "/examples/" + example), 0) << output;
    const headless::Box e = headless::drawnExtent(read(1));
    const int size = std::max(e.right - e.left, e.bottom - e.top);
    EXPECT_NEAR((e.left + e.right) / 2.0, 320, 40) << example;
    EXPECT_NEAR((e.top + e.bottom) / 2.0, 240, 40) << example;
    EXPECT_GT(size, 200) << example;
    EXPECT_LT(size, 420) << example;
    if (std::string(example) == "demo.csg") {
      EXPECT_NEAR(e.bottom - e.top, builtIn.bottom - builtIn.top, 24);
    }
  }
}

// A file that cannot be shown ends the program before any frame, with one
// line that names the file and the place, and a non-zero status.
TEST_F(RenderTest, RefusesABadSceneFileInOneLineBeforeAnyFrame) {
  const auto write = [this](const char* name, const std::string& bytes) {
    std::FILE* f = std::fopen((dir / name).c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return (dir / name).string();
  };
  const std::string huge = write("huge.stl", "");
  fs::resize_file(huge, 100u << 20);
  const std::pair<std::string, std::string> cases[] = {
      {write("open.csg", "union() {\n  cube(;\n}\n"), ":2:8: error: expected a value, found ';'"},
      {huge, ": error: the file is 100 MB; scenes are limited to 64 MB"},
      {(dir / "missing.obj").string(), ": error: cannot open: No such file or directory"},
  };
  for (const auto& [file, says] : cases) {
    EXPECT_EQ(render("--out " + (dir / "out").string() + " --scene " + file), 1) << file;
    EXPECT_EQ(output, file + says + "\n");
    EXPECT_FALSE(fs::exists(frame(1))) << file;
  }
}

// Outputs of one run never share a file, and frames of another run are
// neither mixed with this run's nor removed without --force, which removes
// them and nothing else.
TEST_F(RenderTest, RefusesAnOutputThatIsOneOfItsFramesAndAFolderWithAnEarlierRunsFrames) {
  const fs::path out = dir / "out";
  EXPECT_EQ(render("--out " + out.string() + " --gif " + frame(2)), 2);
  EXPECT_NE(output.find("--gif " + frame(2) + " is one of the frames this run writes"), std::string::npos) << output;
  EXPECT_FALSE(fs::exists(frame(1)));

  fs::create_directories(out);
  for (const char* name : {"frame-0099.png", "notes.txt", "frame-x.png"}) std::fclose(std::fopen((out / name).c_str(), "w"));
  EXPECT_EQ(render("--out " + out.string()), 1);
  EXPECT_NE(output.find("holds 1 frames of an earlier run (frame-0099.png ...)"), std::string::npos) << output;
  EXPECT_FALSE(fs::exists(frame(1)));
  EXPECT_EQ(render("--out " + out.string() + " --force"), 0) << output;
  EXPECT_FALSE(fs::exists(out / "frame-0099.png"));
  EXPECT_TRUE(fs::exists(out / "notes.txt") && fs::exists(out / "frame-x.png") && fs::exists(frame(1)));
}

// A disk that fills: the run fails, and what it leaves are whole files or
// none, never a part.
TEST_F(RenderTest, AFullDiskLeavesNoPartialFile) {
  const fs::path out = dir / "out";
  const std::string gif = (dir / "drag.gif").string();
  const struct {
    rlim_t limit;
    bool framesWritten;
  } cases[] = {{2048, false}, {20000, true}};
  for (const auto& c : cases) {
    fs::remove_all(dir);
    fs::create_directories(dir);
    {
      const FileSizeLimit diskFull(c.limit);
      EXPECT_EQ(render("--out " + out.string() + " --drag 320,240:440,240:3 --gif " + gif), 1) << output;
    }
    EXPECT_FALSE(fs::exists(gif));
    EXPECT_EQ(fs::exists(frame(1)), c.framesWritten) << output;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
      const std::string name = entry.path().filename().string();
      EXPECT_TRUE(entry.is_directory() || isFrameName(name)) << "left behind: " << name;
      if (isFrameName(name)) read(std::stoi(name.substr(6)));  // whole, or the reading fails
    }
  }
}

// Names keep sorting in frame order when a run shows more than 9999 frames.
TEST_F(RenderTest, FrameNumbersWidenPastFourDigits) {
  const int numbers[] = {1, 2, 9999, 10000, 10001};
  for (int n : numbers) std::fclose(std::fopen((dir / frameName(n, 4)).c_str(), "w"));
  std::string error;
  ASSERT_TRUE(OutputPaths(dir.string()).widenFrameNumbers(10001, error)) << error;
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"frame-00001.png", "frame-00002.png", "frame-09999.png",
                                             "frame-10000.png", "frame-10001.png"}));
  for (const char* name : {"frame-1.png", "frame-00001.png", "frame-123456.png"}) EXPECT_TRUE(isFrameName(name)) << name;
  for (const char* name : {"frame-.png", "frame-1a.png", "frame-1.png.partial", "frame-1.gif", "xframe-1.png"}) {
    EXPECT_FALSE(isFrameName(name)) << name;
  }
}

}  // namespace
