// The paths from a tree's root down to many of its cells, kept as one tree
// of steps in which each step names the one before it. A depth-first walk
// meets the cells in an order where each path begins with steps of the one
// before, so a path adds only the steps it does not share: the paths take
// room in proportion to the nodes walked, not to the cells times their
// depth, and a path is spelled out only when it is asked for.
#ifndef KELVANE_BSP_PATH_STEPS_H
#define KELVANE_BSP_PATH_STEPS_H

#include <cstddef>
#include <vector>

#include "bsp/cell_probe.h"

class PathSteps {
 public:
  // Stands for the path of the root itself, which has no step.
  static constexpr std::size_t kNoStep = static_cast<std::size_t>(-1);

  // Records path and returns its last step, adding the steps it does not
  // share with the path recorded before it.
  std::size_t add(const TreePath& path);
  // The path whose last step is lastStep, into path.
  void spell(std::size_t lastStep, TreePath& path) const;
  // Forgets every path; room beyond keptCapacity steps is given back.
  void clear(std::size_t keptCapacity);

 private:
  struct Step {
    PathStep step;
    std::size_t before;
  };
  std::vector<Step> steps;
  std::vector<std::size_t> last;  // the steps of the path recorded last
};

#endif
