#include "tools/gif_writer.h"

#include <memory>

namespace {

constexpr int kColourBits = 8;
constexpr int kColours = 256;

using ColourMap = std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)>;

ColourMap colourMap(const platform::Palette& palette) {
  GifColorType colours[kColours];
  for (int i = 0; i < kColours; ++i) colours[i] = GifColorType{palette[i].r, palette[i].g, palette[i].b};
  return ColourMap(GifMakeMapObject(kColours, colours), &GifFreeMapObject);
}

bool samePalette(const platform::Palette& a, const platform::Palette& b) {
  for (int i = 0; i < kColours; ++i) {
    if (a[i].r != b[i].r || a[i].g != b[i].g || a[i].b != b[i].b) return false;
  }
  return true;
}

// Makes the animation loop for ever (the NETSCAPE2.0 application block).
bool putLoopForever(GifFileType* gif) {
  static const char kApplication[] = "NETSCAPE2.0";
  unsigned char loop[3] = {1, 0, 0};
  return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, 11, kApplication) == GIF_OK && EGifPutExtensionBlock(gif, 3, loop) == GIF_OK &&
         EGifPutExtensionTrailer(gif) == GIF_OK;
}

// giflib's output function: everything goes through the writer's stream.
int writeBytes(GifFileType* gif, const GifByteType* bytes, int length) {
  return static_cast<int>(std::fwrite(bytes, 1, static_cast<std::size_t>(length), static_cast<std::FILE*>(gif->UserData)));
}

}  // namespace

GifWriter::~GifWriter() {
  if (gif_ != nullptr) EGifCloseFile(gif_, nullptr);
}

bool GifWriter::failed(const std::string& what, int code) {
  if (!error_.empty()) return false;
  error_ = what + " " + path_;
  if (const char* reason = code > 0 ? GifErrorString(code) : nullptr) error_ += std::string(": ") + reason;
  return false;
}

bool GifWriter::open(const std::string& path) {
  path_ = path;
  if (!file_.open(path, error_)) return false;
  int code = 0;
  gif_ = EGifOpen(file_.stream(), writeBytes, &code);
  if (gif_ == nullptr) return failed("cannot write", code);
  EGifSetGifVersion(gif_, true);
  return true;
}

bool GifWriter::addFrame(const std::uint8_t* pixels, const platform::Palette& palette, int delay) {
  if (gif_ == nullptr || !error_.empty()) return false;
  if (!started_) {
    started_ = true;
    global_ = palette;
    const ColourMap map = colourMap(global_);
    if (EGifPutScreenDesc(gif_, platform::kScreenWidth, platform::kScreenHeight, kColourBits, 0, map.get()) !=
            GIF_OK ||
        !putLoopForever(gif_)) {
      return failed("cannot write", gif_->Error);
    }
  }
  GraphicsControlBlock control = {};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.DelayTime = delay;
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  EGifGCBToExtension(&control, extension);
  const ColourMap local = samePalette(palette, global_) ? ColourMap(nullptr, &GifFreeMapObject) : colourMap(palette);
  if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, 4, extension) != GIF_OK ||
      EGifPutImageDesc(gif_, 0, 0, platform::kScreenWidth, platform::kScreenHeight, false, local.get()) != GIF_OK) {
    return failed("cannot write", gif_->Error);
  }
  GifPixelType row[platform::kScreenWidth];
  for (int y = 0; y < platform::kScreenHeight; ++y) {
    const std::uint8_t* source = pixels + static_cast<std::size_t>(y) * platform::kScreenWidth;
    for (int x = 0; x < platform::kScreenWidth; ++x) row[x] = source[x];
    if (EGifPutLine(gif_, row, platform::kScreenWidth) != GIF_OK) return failed("cannot write", gif_->Error);
  }
  return true;
}

bool GifWriter::close() {
  if (gif_ == nullptr) return error_.empty() ? failed("nothing was opened for", 0) : false;
  int code = 0;
  const int closed = EGifCloseFile(gif_, &code);
  gif_ = nullptr;
  if (closed != GIF_OK) return failed("cannot finish", code);
  if (!started_) return failed("no frames to write to", 0);
  return error_.empty() && file_.commit(error_);
}
