// The files one run of kelvane-render writes: the frames, named by number in
// one folder, and the files options name. No two outputs of a run may share
// a path, and a folder that already holds numbered frames holds another
// run's, which this run must not mix with its own.
#ifndef KELVANE_TOOLS_OUTPUT_PATHS_H
#define KELVANE_TOOLS_OUTPUT_PATHS_H

#include <string>
#include <vector>

// The frames' names: "frame-" and a number of at least four digits ".png".
std::string frameName(int number, int digits);
bool isFrameName(const std::string& fileName);

class OutputPaths {
 public:
  explicit OutputPaths(std::string frameFolder) : frameFolder_(std::move(frameFolder)) {}

  // Records that `option` writes `path`. False, with `error` set, when a
  // frame or an output claimed before goes to the same file, or the path is
  // a folder.
  bool claim(const std::string& path, const std::string& option, std::string& error);

  // The frames already in the folder, by file name, in order.
  std::vector<std::string> earlierFrames() const;
  // Removes them; false with `error` set when one cannot be removed.
  bool removeEarlierFrames(std::string& error) const;
  // Renames frames 1..count to `count`'s number of digits when that is more
  // than four, so that the names sort in frame order.
  bool widenFrameNumbers(int count, std::string& error) const;

 private:
  std::string frameFolder_;
  std::vector<std::pair<std::string, std::string>> claimed_;  // canonical path, option
};

#endif
