// kelvane-render: the unchanged program (WinMain) on the headless host,
// given the input that the command line describes; every frame it flips is
// written, in order, as an indexed PNG, and on request all of them as one
// animated GIF. On request the model is also written as a mesh file.
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
#include "tools/gif_writer.h"
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
  return 1;
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
      return kBadSceneStatus;
    }
  }
  ExportedMesh exported;
  std::string error;
  if (!exportMesh(solidPolygons(solid), path, format, exported, error)) return fail(error);
  std::printf("kelvane-render: %zu faces on %zu vertices written to %s\n", exported.faces, exported.vertices,
              path.c_str());
  return 0;
}

int renderFrames(const RenderOptions& options) {
  std::error_code made;
  std::filesystem::create_directories(options.outDir, made);
  if (made || !std::filesystem::is_directory(options.outDir)) {
    return fail("cannot use '" + options.outDir + "' as the output directory" +
                (made ? ": " + made.message() : std::string()));
  }
  GifWriter gif;
  if (!options.gifPath.empty() && !gif.open(options.gifPath)) return fail(gif.error());

  auto owned = std::make_unique<AnimatingHost>(renderScript(options.steps),
                                               options.gifPath.empty() ? nullptr : &gif);
  AnimatingHost& host = *owned;
  host.writeFrames((std::filesystem::path(options.outDir) / "frame-").string());
  platform::setHost(std::move(owned));

  // The program's own command line names the scene file.
  std::string commandLine = options.scenePath;
  const int status = WinMain(platform::programInstance(), nullptr, commandLine.data(), SW_SHOW);
  // The program has said what is wrong with the file, in one line.
  if (status == kBadSceneStatus) return status;

  if (!host.writeError().empty()) return fail(host.writeError());
  if (!options.gifPath.empty()) {
    host.finish();
    if (!gif.close()) return fail(gif.error());
  }
  if (status != kNormalEnd) return fail("the program ended with status " + std::to_string(status));
  std::printf("kelvane-render: %d frames written to %s\n", host.frameCount(), options.outDir.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  RenderOptions options;
  std::string error;
  if (!parseRenderOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "kelvane-render: %s\n%s", error.c_str(), renderUsage());
    return 2;
  }
  if (options.help) {
    std::fputs(renderUsage(), stdout);
    return 0;
  }
  MeshFormat format = MeshFormat::Stl;
  if (!options.exportPath.empty() && !meshFormatFor(options.exportPath, format)) {
    std::fprintf(stderr, "kelvane-render: --export '%s': the name must end in .stl or .obj\n%s",
                 options.exportPath.c_str(), renderUsage());
    return 2;
  }

  if (!options.outDir.empty()) {
    const int status = renderFrames(options);
    if (status != 0) return status;
  }
  return options.exportPath.empty() ? 0 : exportModel(options.scenePath, options.exportPath, format);
}
