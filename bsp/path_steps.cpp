#include "bsp/path_steps.h"

#include <algorithm>

std::size_t PathSteps::add(const TreePath& path) {
  std::size_t shared = 0;
  while (shared < last.size() && shared < path.size() && steps[last[shared]].step.plane == path[shared].plane &&
         steps[last[shared]].step.back == path[shared].back) {
    ++shared;
  }
  last.resize(shared);
  for (std::size_t d = shared; d < path.size(); ++d) {
    steps.push_back({path[d], d == 0 ? kNoStep : last[d - 1]});
    last.push_back(steps.size() - 1);
  }
  return last.empty() ? kNoStep : last.back();
}

void PathSteps::spell(std::size_t lastStep, TreePath& path) const {
  path.clear();
  for (std::size_t s = lastStep; s != kNoStep; s = steps[s].before) path.push_back(steps[s].step);
  std::reverse(path.begin(), path.end());
}

void PathSteps::clear(std::size_t keptCapacity) {
  if (steps.capacity() > keptCapacity) {
    std::vector<Step>().swap(steps);
    std::vector<std::size_t>().swap(last);
  } else {
    steps.clear();
    last.clear();
  }
}
