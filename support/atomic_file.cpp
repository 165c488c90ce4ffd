#include "support/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace support {
namespace {

std::string failure(const std::string& path, int code) { return "cannot write " + path + ": " + std::strerror(code); }

// mkstemp makes files its owner alone may read; the umask decides here, as
// it does for a file made by open(2).
mode_t createMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

AtomicFile::~AtomicFile() { discard(); }

bool AtomicFile::open(const std::string& path, std::string& error) {
  discard();
  path_ = path;
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  // Hidden, and never of the form a tool gives its own outputs.
  std::string pattern = folder + "." + name + ".partial-XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    error = failure(path, errno);
    return false;
  }
  temporary_ = pattern;
  if (::fchmod(fd, createMode()) != 0 || (stream_ = ::fdopen(fd, "wb")) == nullptr) {
    error = failure(path, errno);
    ::close(fd);
    discard();
    return false;
  }
  return true;
}

bool AtomicFile::commit(std::string& error) {
  if (stream_ == nullptr) {
    error = "cannot write " + path_ + ": it was never opened";
    return false;
  }
  const bool written = std::ferror(stream_) == 0;
  std::FILE* stream = stream_;
  stream_ = nullptr;
  errno = 0;
  const bool closed = std::fclose(stream) == 0;
  if (!written || !closed) {
    error = failure(path_, errno != 0 ? errno : EIO);
    discard();
    return false;
  }
  if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
    error = failure(path_, errno);
    discard();
    return false;
  }
  temporary_.clear();
  return true;
}

void AtomicFile::discard() {
  if (stream_ != nullptr) std::fclose(stream_);
  stream_ = nullptr;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
  AtomicFile file;
  if (!file.open(path, error)) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.stream()) != bytes.size()) {
    error = failure(path, errno != 0 ? errno : EIO);
    return false;
  }
  return file.commit(error);
}

}  // namespace support
