#include "model/source_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "model/limits.h"
#include "model/scene_error.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string megabytes(long long bytes) { return std::to_string((bytes + (1 << 20) - 1) >> 20) + " MB"; }

}  // namespace

std::string readSourceFile(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) throw SceneError(path, std::string("cannot open: ") + std::strerror(errno));
  long long size = -1;
  if (std::fseek(file.get(), 0, SEEK_END) == 0) size = std::ftell(file.get());
  if (size < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) {
    throw SceneError(path, "cannot read: not a regular file");
  }
  if (static_cast<unsigned long long>(size) > kMaxSceneBytes) {
    throw SceneError(path, "the file is " + megabytes(size) + "; scenes are limited to " +
                               megabytes(static_cast<long long>(kMaxSceneBytes)));
  }
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (size > 0 && std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
    throw SceneError(path,
                     std::string("cannot read: ") + (std::ferror(file.get()) ? std::strerror(errno) : "it shrank"));
  }
  return bytes;
}
