#include "platform/host/web/web_blit.h"

#include <emscripten.h>

#include <cstddef>

namespace platform {
namespace {

constexpr std::size_t kPixels = static_cast<std::size_t>(kScreenWidth) * kScreenHeight;

// The page counts the frames, for its tests, and how long each took since
// the input that woke the program.
EM_JS(void, putFrameOnCanvas, (const char* selector, const std::uint8_t* rgba, int width, int height), {
  const canvas = document.querySelector(UTF8ToString(selector));
  if (!canvas) return;
  const context = canvas.getContext("2d", {alpha: false});
  const bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
  context.putImageData(new ImageData(bytes, width, height), 0, 0);
  Module.kelvaneFrames = (Module.kelvaneFrames || 0) + 1;
  if (Module.kelvaneWokenAt !== undefined) Module.kelvaneFrameCost = performance.now() - Module.kelvaneWokenAt;
  if (Module.onKelvaneFrame) Module.onKelvaneFrame(Module.kelvaneFrames);
});

}  // namespace

void blitFrame(const std::string& selector, const std::uint8_t* pixels, const Palette& palette,
               std::unique_ptr<std::uint8_t[]>& rgba) {
  if (!rgba) rgba.reset(new std::uint8_t[kPixels * 4]);
  std::uint8_t* out = rgba.get();
  for (std::size_t i = 0; i < kPixels; ++i, out += 4) {
    const Rgb& colour = palette[pixels[i]];
    out[0] = colour.r;
    out[1] = colour.g;
    out[2] = colour.b;
    out[3] = 0xff;
  }
  putFrameOnCanvas(selector.c_str(), rgba.get(), kScreenWidth, kScreenHeight);
}

}  // namespace platform
