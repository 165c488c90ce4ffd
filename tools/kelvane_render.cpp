// kelvane-render: the unchanged program (WinMain) on the headless host,
// given the input that the command line describes; every frame it flips is
// written, in order, as an indexed PNG, and on request all of them as one
// animated GIF.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "app/scene.h"
#include "app/scene_file.h"
#include "bsp/csg.h"
#include "model/mesh_export.h"
#include "model/scene_evaluation.h"
#include "model/scene_file.h"
#include "platform/host/headless/headless_host.h"
#include "platform/user/user.h"
#include "platform/win32.h"
#include "support/command_line.h"
#include "support/command_line_text.h"
#include "tools/gif_writer.h"
#include "tools/output_paths.h"
#include "tools/render_options.h"
#include "tools/render_script.h"

namespace {

constexpr int kFirstFrameDelay = 100;  // hundredths of a second
constexpr int kFrameDelay = 8;
constexpr int kLastFrameDelay = 150;
constexpr int kNormalEnd = 1;  // WinMain's result on every normal end

// Adds each frame to the animation when the next one arrives, so that the
// last can be held longer; only the latest frame is kept in memory.
class AnimatingHost : public platform::HeadlessHost {
 public:
  AnimatingHost(std::vector<platform::ScriptStep> script, GifWriter* gif)
      : HeadlessHost(std::move(script)), gif_(gif) {
    keepAllFrames(false);
  }

  void present(const std::uint8_t* pixels, const platform::Palette& palette) override {
    addLatest(frameCount() == 1 ? kFirstFrameDelay : kFrameDelay);
    HeadlessHost::present(pixels, palette);
  }

  void finish() { addLatest(kLastFrameDelay); }

 private:
  void addLatest(int delay) {
    if (gif_ == nullptr || frames().empty()) return;
    gif_->addFrame(frames().back().pixels.data(), frames().back().palette, delay);
  }

  GifWriter* gif_;
};

int fail(const std::string& message) {
  std::fprintf(stderr, "kelvane-render: %s\n", message.c_str());
  return support::kExitFailed;
}

// The folder exists, holds no frames of another run (or --force cleared
// them), and no output of this run overwrites another.
int prepareOutputs(const RenderOptions& options, const support::CommandLine& line, OutputPaths& outputs) {
  std::error_code made;
  std::filesystem::create_directories(options.outDir, made);
  if (made || !std::filesystem::is_directory(options.outDir)) {
    return fail("cannot use '" + options.outDir + "' as the output directory" +
                (made ? ": " + made.message() : std::string()));
  }
  std::string error;
  if (!options.gifPath.empty() && !outputs.claim(options.gifPath, "--gif", error)) return line.usageError(error);
  const std::vector<std::string> earlier = outputs.earlierFrames();
  if (!earlier.empty() && !options.force) {
    return fail(options.outDir + " holds " + std::to_string(earlier.size()) + " frames of an earlier run (" +
                earlier.front() + " ...); remove them, choose another folder, or give --force to replace them");
  }
  if (!outputs.removeEarlierFrames(error)) return fail(error);
  return support::kExitDone;
}

// The solid of the scene file, or the built-in boxes combined soundly: the
// tree the built-in scene draws keeps faces inside the plate.
int exportModel(const std::string& scenePath, const std::string& path, MeshFormat format) {
  BspTree solid;
  if (scenePath.empty()) {
    buildSceneSolid(solid);
  } else {
    try {
      evaluateScene(loadScene(scenePath), solid);
    } catch (const SceneError& e) {
      std::fprintf(stderr, "%s\n", e.what());
      return support::kExitFailed;
    }
  }
  ExportedMesh exported;
  std::string error;
  if (!exportMesh(solidPolygons(solid), path, format, exported, error)) return fail(error);
  std::printf("kelvane-render: %zu faces on %zu vertices written to %s\n", exported.faces, exported.vertices,
              path.c_str());
  return support::kExitDone;
}

int renderFrames(const RenderOptions& options, const support::CommandLine& line) {
  OutputPaths outputs(options.outDir);
  if (const int prepared = prepareOutputs(options, line, outputs); prepared != support::kExitDone) return prepared;
  std::string error;
  if (!options.exportPath.empty() && !outputs.claim(options.exportPath, "--export", error)) {
    return line.usageError(error);
  }
  GifWriter gif;
  if (!options.gifPath.empty() && !gif.open(options.gifPath)) return fail(gif.error());

  auto owned = std::make_unique<AnimatingHost>(renderScript(options.steps),
                                               options.gifPath.empty() ? nullptr : &gif);
  AnimatingHost& host = *owned;
  host.writeFrames((std::filesystem::path(options.outDir) / "frame-").string());
  platform::setHost(std::move(owned));

  // The program's own command line names the scene file, whatever its name.
  std::vector<const char*> arguments{"kelvane"};
  if (!options.scenePath.empty()) arguments.insert(arguments.end(), {"--", options.scenePath.c_str()});
  std::string commandLine = support::joinArguments(static_cast<int>(arguments.size()), arguments.data());
  const int status = WinMain(platform::programInstance(), nullptr, commandLine.data(), SW_SHOW);
  // The program has said what is wrong with the file, in one line.
  if (status == kBadSceneStatus) return support::kExitFailed;

  if (!host.writeError().empty()) return fail(host.writeError());
  if (!outputs.widenFrameNumbers(host.frameCount(), error)) return fail(error);
  if (!options.gifPath.empty()) {
    host.finish();
    if (!gif.close()) return fail(gif.error());
  }
  if (status != kNormalEnd) return fail("the program ended with status " + std::to_string(status));
  std::printf("kelvane-render: %d frames written to %s\n", host.frameCount(), options.outDir.c_str());
  return support::kExitDone;
}

}  // namespace

int main(int argc, char** argv) {
  RenderOptions options;
  support::CommandLine line = renderCommandLine(options);
  if (const auto end = line.parse(argc, argv)) return support::finishOutput(line.program(), *end);
  if (options.outDir.empty()) {
    if (options.exportPath.empty()) return line.usageError("--out DIR or --export FILE is required");
    if (!options.steps.empty() || !options.gifPath.empty()) return line.usageError("frames need --out DIR");
  }
  MeshFormat format = MeshFormat::Stl;
  if (!options.exportPath.empty() && !meshFormatFor(options.exportPath, format)) {
    return line.usageError("--export '" + options.exportPath + "': the name must end in .stl or .obj");
  }
  int status = support::kExitDone;
  if (!options.outDir.empty()) status = renderFrames(options, line);
  if (status == support::kExitDone && !options.exportPath.empty()) {
    status = exportModel(options.scenePath, options.exportPath, format);
  }
  return support::finishOutput(line.program(), status);
}
