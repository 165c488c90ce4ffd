#include "bench/csg/measurement.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>

#include "bench/csg/memory_peak.h"
#include "bsp/csg.h"
#include "polygon/measure.h"

double median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  return n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2.0;
}

namespace {

std::size_t bytesOf(std::size_t vertexCount) {
  const std::size_t ring = vertexCount > kInlineVertexCount ? vertexCount * sizeof(Point3) : 0;
  return sizeof(CountedPoly) + ring + sizeof(PolyNode);
}

}  // namespace

std::size_t polygonBytes(const Workload& workload, const BspTree& result) {
  std::size_t bytes = 0;
  for (const Solid& solid : workload.solids) {
    for (const PolygonRing& ring : solid.polygons) bytes += bytesOf(ring.vertices.size());
  }
  const PolyListRef output = solidPolygons(result);
  for (const PolyNode* p = output->head; p != nullptr; p = p->next) bytes += bytesOf(p->poly->vertexCount);
  return bytes;
}

Measurement measure(const Workload& workload, const RepetitionPolicy& policy) {
  const auto start = std::chrono::steady_clock::now();
  std::vector<double> times;
  Measurement m;
  double timed = 0.0;
  for (;;) {
    const std::size_t resident = times.empty() ? restartResidentPeak() : 0;
    CsgRunResult run = runOperations(workload);
    times.push_back(run.seconds);
    timed += run.seconds;
    if (times.size() == 1) {
      const std::size_t peak = residentPeak();
      m.peakKib = peak > resident ? double(peak - resident) / 1024.0 : 0.0;
      m.shape = measureTree(*run.tree);
      m.volume = solidVolume(*solidPolygons(*run.tree));
      m.polygonKib = double(polygonBytes(workload, *run.tree)) / 1024.0;
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
  char line[256];
  std::snprintf(line, sizeof line, "%.6f\t%.6f\t%zu\t%zu\t%zu\t%.9g\t%.0f\t%.0f", m.medianMs, m.minMs,
                m.shape.polygons, m.reps, m.shape.depth, m.volume, m.peakKib, m.polygonKib);
  return line;
}

bool decode(const std::string& text, Measurement& m) {
  std::istringstream in(text);
  in >> m.medianMs >> m.minMs >> m.shape.polygons >> m.reps >> m.shape.depth >> m.volume >> m.peakKib >>
      m.polygonKib;
  return static_cast<bool>(in);
}
