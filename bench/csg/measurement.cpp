#include "bench/csg/measurement.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>

#include "bsp/csg.h"
#include "polygon/measure.h"

double median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  return n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2.0;
}

Measurement measure(const Workload& workload, const RepetitionPolicy& policy) {
  const auto start = std::chrono::steady_clock::now();
  std::vector<double> times;
  Measurement m;
  double timed = 0.0;
  for (;;) {
    CsgRunResult run = runOperations(workload);
    times.push_back(run.seconds);
    timed += run.seconds;
    if (times.size() == 1) {
      m.shape = measureTree(*run.tree);
      m.volume = solidVolume(*solidPolygons(*run.tree));
    }
    run.tree.reset();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (times.size() >= policy.maxReps || wall >= policy.maxSeconds) break;
    if (times.size() >= policy.minReps && timed >= policy.minSeconds) break;
  }
  m.medianMs = median(times) * 1e3;
  m.minMs = *std::min_element(times.begin(), times.end()) * 1e3;
  m.reps = times.size();
  return m;
}

std::string encode(const Measurement& m) {
  char line[200];
  // Nine significant digits, as precise as the float corners the volume is
  // summed from.
  std::snprintf(line, sizeof line, "%.6f\t%.6f\t%zu\t%zu\t%zu\t%.9g", m.medianMs, m.minMs, m.shape.polygons, m.reps,
                m.shape.depth, m.volume);
  return line;
}

bool decode(const std::string& text, Measurement& m) {
  std::istringstream in(text);
  in >> m.medianMs >> m.minMs >> m.shape.polygons >> m.reps >> m.shape.depth >> m.volume;
  return static_cast<bool>(in);
}
