#include "fuzz/checks.h"

const std::vector<FuzzTarget>& fuzzTargets() {
  static const std::vector<FuzzTarget> targets = {
      {"split_poly", checkSplitPoly},
      {"tree_insert", checkTreeInsert},
      {"tree_filter", checkTreeFilter},
      {"gdi", checkGdi},
      {"input_script", checkInputScript},
      {"workload_reader", checkWorkloadReader},
  };
  return targets;
}
