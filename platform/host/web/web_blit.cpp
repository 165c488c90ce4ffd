#include "platform/host/web/web_blit.h"

#include <emscripten.h>

#include <cstddef>
#include <cstring>

namespace platform {
namespace {

constexpr std::size_t kPixels = static_cast<std::size_t>(kScreenWidth) * kScreenHeight;

// The page counts the frames, for its tests, and how long each took since
// the input that woke the program, and of that how long the canvas took.
EM_JS(void, putFrameOnCanvas, (const char* selector, const std::uint8_t* rgba, int width, int height), {
  const canvas = document.querySelector(UTF8ToString(selector));
  if (!canvas) return;
  const context = canvas.getContext("2d", {alpha: false});
  const bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
  const putAt = performance.now();
  context.putImageData(new ImageData(bytes, width, height), 0, 0);
  Module.kelvaneCanvasCost = performance.now() - putAt;
  Module.kelvaneFrames = (Module.kelvaneFrames || 0) + 1;
  if (Module.kelvaneWokenAt !== undefined) Module.kelvaneFrameCost = performance.now() - Module.kelvaneWokenAt;
  if (Module.onKelvaneFrame) Module.onKelvaneFrame(Module.kelvaneFrames);
});

}  // namespace

void blitFrame(const std::string& selector, const std::uint8_t* pixels, const Palette& palette,
               std::unique_ptr<std::uint8_t[]>& rgba) {
  if (!rgba) rgba.reset(new std::uint8_t[kPixels * 4]);
  // One 32-bit store per pixel, its bytes in the canvas's R, G, B, A order
  // (WebAssembly is little-endian).
  std::uint32_t colours[256];
  for (std::size_t i = 0; i < 256; ++i) {
    colours[i] = 0xff000000u | (std::uint32_t{palette[i].b} << 16) | (std::uint32_t{palette[i].g} << 8) | palette[i].r;
  }
  for (std::size_t i = 0; i < kPixels; ++i) std::memcpy(rgba.get() + i * 4, &colours[pixels[i]], 4);
  putFrameOnCanvas(selector.c_str(), rgba.get(), kScreenWidth, kScreenHeight);
}

}  // namespace platform
