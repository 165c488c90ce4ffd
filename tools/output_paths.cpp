#include "tools/output_paths.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr int kFrameDigits = 4;

std::string canonical(const std::string& path) {
  std::error_code ignored;
  const fs::path absolute = fs::absolute(path, ignored);
  const fs::path resolved = fs::weakly_canonical(absolute, ignored);
  return (resolved.empty() ? absolute : resolved).lexically_normal().string();
}

int digitsOf(int n) {
  int digits = 1;
  for (; n >= 10; n /= 10) ++digits;
  return digits;
}

}  // namespace

std::string frameName(int number, int digits) {
  std::string text = std::to_string(number);
  text.insert(0, static_cast<std::size_t>(std::max(0, std::max(digits, kFrameDigits) - int(text.size()))), '0');
  return "frame-" + text + ".png";
}

bool isFrameName(const std::string& fileName) {
  static const std::string kPrefix = "frame-", kSuffix = ".png";
  if (fileName.size() <= kPrefix.size() + kSuffix.size() || fileName.rfind(kPrefix, 0) != 0 ||
      fileName.compare(fileName.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0) {
    return false;
  }
  const std::string number = fileName.substr(kPrefix.size(), fileName.size() - kPrefix.size() - kSuffix.size());
  return number.find_first_not_of("0123456789") == std::string::npos;
}

bool OutputPaths::claim(const std::string& path, const std::string& option, std::string& error) {
  std::error_code ignored;
  if (fs::is_directory(path, ignored)) {
    error = option + " " + path + " is a folder, not a file";
    return false;
  }
  const std::string file = canonical(path);
  const fs::path asPath(file);
  if (asPath.parent_path() == fs::path(canonical(frameFolder_)) && isFrameName(asPath.filename().string())) {
    error = option + " " + path + " is one of the frames this run writes";
    return false;
  }
  for (const auto& [other, otherOption] : claimed_) {
    if (other == file) {
      error = option + " " + path + " is the file " + otherOption + " writes";
      return false;
    }
  }
  claimed_.emplace_back(file, option);
  return true;
}

std::vector<std::string> OutputPaths::earlierFrames() const {
  std::vector<std::string> names;
  std::error_code failed;
  for (fs::directory_iterator it(frameFolder_, failed), end; !failed && it != end; it.increment(failed)) {
    const std::string name = it->path().filename().string();
    if (isFrameName(name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool OutputPaths::removeEarlierFrames(std::string& error) const {
  for (const std::string& name : earlierFrames()) {
    std::error_code failed;
    if (!fs::remove(fs::path(frameFolder_) / name, failed) && failed) {
      error = "cannot remove the earlier frame " + (fs::path(frameFolder_) / name).string() + ": " + failed.message();
      return false;
    }
  }
  return true;
}

bool OutputPaths::widenFrameNumbers(int count, std::string& error) const {
  const int digits = digitsOf(count);
  if (digits <= kFrameDigits) return true;
  for (int n = 1; n <= count; ++n) {
    // The headless host names frames with four digits or as many as needed.
    const std::string written = frameName(n, kFrameDigits), wide = frameName(n, digits);
    std::error_code failed;
    if (written == wide || !fs::exists(fs::path(frameFolder_) / written, failed)) continue;
    const fs::path from = fs::path(frameFolder_) / written;
    fs::rename(from, fs::path(frameFolder_) / wide, failed);
    if (failed) {
      error = "cannot rename " + from.string() + ": " + failed.message();
      return false;
    }
  }
  return true;
}
