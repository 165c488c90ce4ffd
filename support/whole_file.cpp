#include "support/whole_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace support {
namespace {

std::string failure(const std::string& path, const std::string& why) { return "cannot write '" + path + "': " + why; }

// mkstemp makes files its owner alone may read; the umask decides here, as
// it does for a file made by open(2).
mode_t createMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

WholeFile::~WholeFile() { discard(); }

bool WholeFile::fail(const char* step, int code, std::string& error) {
  error = failure(path_, std::string(step) + ": " + std::strerror(code != 0 ? code : EIO));
  discard();
  return false;
}

bool WholeFile::open(const std::string& path, std::string& error) {
  discard();
  path_ = path;
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
    if (S_ISDIR(existing.st_mode)) {
      error = failure(path, "it is a folder");
      return false;
    }
    stream_ = std::fopen(path.c_str(), "wb");
    return stream_ != nullptr || fail("open", errno, error);
  }
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  // Hidden, and never of the form a tool gives its own outputs.
  std::string pattern = folder + "." + name + ".partial-XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return fail("cannot make a temporary file beside it", errno, error);
  temporary_ = pattern;
  if (::fchmod(fd, createMode()) != 0 || (stream_ = ::fdopen(fd, "wb")) == nullptr) {
    const int code = errno;
    ::close(fd);
    return fail("open", code, error);
  }
  return true;
}

bool WholeFile::commit(std::string& error) {
  if (stream_ == nullptr) {
    error = failure(path_, "it was never opened");
    return false;
  }
  errno = 0;
  if (std::fflush(stream_) != 0 || std::ferror(stream_) != 0) return fail("write", errno, error);
  if (!temporary_.empty() && ::fsync(::fileno(stream_)) != 0) return fail("sync", errno, error);
  std::FILE* stream = stream_;
  stream_ = nullptr;
  if (std::fclose(stream) != 0) return fail("close", errno, error);
  if (!temporary_.empty() && std::rename(temporary_.c_str(), path_.c_str()) != 0) return fail("rename", errno, error);
  temporary_.clear();
  return true;
}

void WholeFile::discard() {
  if (stream_ != nullptr) std::fclose(stream_);
  stream_ = nullptr;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

bool writeWholeFile(const std::string& path, std::string_view bytes, std::string& error) {
  WholeFile file;
  if (!file.open(path, error)) return false;
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.stream()) != bytes.size()) return file.fail("write", errno, error);
  return file.commit(error);
}

}  // namespace support
