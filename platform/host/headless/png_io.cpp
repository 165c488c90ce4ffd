// libpng reports errors by longjmp. The functions that call setjmp hold no
// objects with destructors of their own between setjmp and the last libpng
// call; everything they fill lives in their callers.
#include "platform/host/headless/png_io.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "support/whole_file.h"

namespace platform {
namespace {

// Larger sides are refused before any memory is allocated for them.
constexpr png_uint_32 kMaxSide = 1 << 14;
constexpr std::size_t kSignatureSize = 8;

void onError(png_structp png, png_const_charp message) {
  *static_cast<std::string*>(png_get_error_ptr(png)) = message;
  png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

bool fail(std::string* error, const std::string& message) {
  if (error) *error = message;
  return false;
}

class File {
 public:
  File(const std::string& path, const char* mode) : file_(std::fopen(path.c_str(), mode)) {}
  ~File() {
    if (file_) std::fclose(file_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  std::FILE* get() const { return file_; }

 private:
  std::FILE* file_;
};

bool writePng(std::FILE* file, int width, int height, png_colorp colours, png_bytepp rows, std::string* message) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, message, onError, onWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    *message = "out of memory";
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_PLTE(png, info, colours, 256);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

struct ReadResult {
  std::vector<std::uint8_t> pixels;
  std::vector<png_bytep> rows;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  Palette palette{};
  std::string message;
};

bool readPng(std::FILE* file, ReadResult& result) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &result.message, onError, onWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    result.message = "out of memory";
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_init_io(png, file);
  png_set_sig_bytes(png, kSignatureSize);
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_read_info(png, info);
  int depth = 0, colourType = 0;
  png_get_IHDR(png, info, &result.width, &result.height, &depth, &colourType, nullptr, nullptr, nullptr);
  if (colourType != PNG_COLOR_TYPE_PALETTE) png_error(png, "not an indexed (palette) image");
  png_set_packing(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  png_colorp colours = nullptr;
  int count = 0;
  png_get_PLTE(png, info, &colours, &count);
  for (int i = 0; i < count && i < 256; ++i) result.palette[i] = {colours[i].red, colours[i].green, colours[i].blue};
  result.pixels.resize(std::size_t(result.width) * result.height);
  result.rows.resize(result.height);
  for (png_uint_32 y = 0; y < result.height; ++y) result.rows[y] = result.pixels.data() + std::size_t(y) * result.width;
  png_read_image(png, result.rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

}  // namespace

bool writeIndexedPng(const std::string& path, const std::uint8_t* pixels, int width, int height,
                     const Palette& palette, std::string* error) {
  if (!pixels || width <= 0 || height <= 0 || width > int(kMaxSide) || height > int(kMaxSide)) {
    return fail(error, "cannot write '" + path + "': no pixels or a size out of range");
  }
  support::WholeFile file;
  std::string message;
  if (!file.open(path, message)) return fail(error, message);
  png_color colours[256];
  for (int i = 0; i < 256; ++i) colours[i] = {palette[i].r, palette[i].g, palette[i].b};
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) rows[y] = const_cast<png_bytep>(pixels + std::size_t(y) * width);
  if (!writePng(file.stream(), width, height, colours, rows.data(), &message)) {
    return fail(error, "cannot write '" + path + "': " + message);
  }
  return file.commit(*(error ? error : &message));
}

bool readIndexedPng(const std::string& path, std::vector<std::uint8_t>& pixels, int& width, int& height,
                    Palette& palette, std::string* error) {
  File file(path, "rb");
  if (!file.get()) return fail(error, "cannot open '" + path + "': " + std::strerror(errno));
  png_byte signature[kSignatureSize];
  if (std::fread(signature, 1, kSignatureSize, file.get()) != kSignatureSize ||
      png_sig_cmp(signature, 0, kSignatureSize) != 0) {
    return fail(error, "'" + path + "' is not a PNG file");
  }
  ReadResult result;
  if (!readPng(file.get(), result)) return fail(error, "cannot read '" + path + "': " + result.message);
  pixels = std::move(result.pixels);
  width = static_cast<int>(result.width);
  height = static_cast<int>(result.height);
  palette = result.palette;
  return true;
}

}  // namespace platform
