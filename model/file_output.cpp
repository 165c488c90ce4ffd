#include "model/file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

bool writeAll(int fd, const std::string& data) {
  const char* p = data.data();
  std::size_t left = data.size();
  while (left > 0) {
    const ssize_t n = write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// The first step that failed and the reason it gave.
class Steps {
 public:
  void check(bool ok, const char* step) {
    if (ok || failed()) return;
    step_ = step;
    reason_ = errno;
  }
  bool failed() const { return step_ != nullptr; }
  std::string message(const std::string& path) const {
    return "cannot write '" + path + "': " + step_ + ": " + std::strerror(reason_);
  }

 private:
  const char* step_ = nullptr;
  int reason_ = 0;
};

bool writeInPlace(const std::string& path, const std::string& data, std::string& error) {
  Steps steps;
  const int fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  steps.check(fd >= 0, "open");
  if (fd >= 0) {
    steps.check(writeAll(fd, data), "write");
    steps.check(close(fd) == 0, "close");
  }
  if (steps.failed()) error = steps.message(path);
  return !steps.failed();
}

}  // namespace

bool writeWholeFile(const std::string& path, const std::string& data, std::string& error) {
  struct stat existing {};
  if (stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
    if (!S_ISDIR(existing.st_mode)) return writeInPlace(path, data, error);
    error = "cannot write '" + path + "': it is a folder";
    return false;
  }

  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::string pattern = folder + "." + name + ".XXXXXX";
  std::vector<char> temporary(pattern.begin(), pattern.end());
  temporary.push_back('\0');

  Steps steps;
  const int fd = mkstemp(temporary.data());
  steps.check(fd >= 0, "cannot make a temporary file beside it");
  if (fd >= 0) {
    // mkstemp makes the file private; the result gets the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    steps.check(fchmod(fd, 0666 & ~mask) == 0, "chmod");
    if (!steps.failed()) steps.check(writeAll(fd, data), "write");
    if (!steps.failed()) steps.check(fsync(fd) == 0, "sync");
    steps.check(close(fd) == 0, "close");
    if (!steps.failed()) steps.check(rename(temporary.data(), path.c_str()) == 0, "rename");
    if (steps.failed()) unlink(temporary.data());
  }
  if (steps.failed()) error = steps.message(path);
  return !steps.failed();
}
