// Repeats a workload's operations and condenses the times into the figures
// the bench prints: the median and the fastest run, and the shape of the
// resulting tree (identical in every run, so measured once).
#ifndef KELVANE_BENCH_CSG_MEASUREMENT_H
#define KELVANE_BENCH_CSG_MEASUREMENT_H

#include <cstddef>
#include <string>
#include <vector>

#include "bench/csg/csg_run.h"
#include "harness/workload.h"

struct RepetitionPolicy {
  std::size_t minReps = 3;
  std::size_t maxReps = 1000;
  double minSeconds = 0.5;   // of timed operations, before stopping after minReps
  double maxSeconds = 60.0;  // of wall time, after which no further run starts
};

struct Measurement {
  double medianMs = 0.0;
  double minMs = 0.0;
  std::size_t reps = 0;
  TreeShape shape;
  double volume = 0.0;  // of the result, from its boundary polygons
  // What the first run made resident beyond what was before it, and what
  // the input and output polygons take by themselves, in KiB.
  double peakKib = 0.0;
  double polygonKib = 0.0;
};

// Bytes the polygons of the workload's solids and of the result tree take
// in their lists: each polygon, its ring when not inline, and its list node.
std::size_t polygonBytes(const Workload& workload, const BspTree& result);

// The median of a non-empty set of times.
double median(std::vector<double> times);

Measurement measure(const Workload& workload, const RepetitionPolicy& policy);

// A measurement as "median_ms min_ms polygons reps depth volume peak_kib
// polygon_kib", tab-separated, and
// back; the bench passes it from the run's child process to its parent.
std::string encode(const Measurement& m);
bool decode(const std::string& text, Measurement& m);

#endif
