// Writes 8-bit frames as one looping animated GIF, a frame at a time. GIF
// images are palette indices with a colour table of up to 256 entries, so
// the display's frames and palette go in as they are, without quantising.
#ifndef KELVANE_TOOLS_GIF_WRITER_H
#define KELVANE_TOOLS_GIF_WRITER_H

#include <cstdint>
#include <string>

#include <gif_lib.h>

#include "platform/host/host.h"
#include "support/whole_file.h"

class GifWriter {
 public:
  GifWriter() = default;
  ~GifWriter();
  GifWriter(const GifWriter&) = delete;
  GifWriter& operator=(const GifWriter&) = delete;

  // Starts the file, which appears at `path` only when close() succeeds.
  // False, with error() set, when it cannot be written.
  bool open(const std::string& path);
  // Appends a 640 x 480 frame shown for `delay` hundredths of a second. The
  // first frame's palette becomes the file's colour table; a later frame
  // with another palette carries its own.
  bool addFrame(const std::uint8_t* pixels, const platform::Palette& palette, int delay);
  // Finishes the file and puts it in place; false, with nothing at the path
  // changed, if anything failed since open.
  bool close();

  const std::string& error() const { return error_; }

 private:
  bool failed(const std::string& what, int code);

  support::WholeFile file_;
  GifFileType* gif_ = nullptr;
  std::string path_;
  platform::Palette global_{};
  bool started_ = false;
  std::string error_;
};

#endif
