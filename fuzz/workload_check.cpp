// The CSG bench's workload reader on arbitrary bytes. A refused document
// names a place that exists in it; an accepted one holds only what the
// bench can run (rings of three or more finite vertices, operands that name
// a solid or an earlier result) and goes through the check of the system's
// limits.
#include <cmath>

#include "harness/workload.h"
#include "fuzz/checks.h"

void checkWorkloadReader(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Workload w;
  try {
    w = parseWorkload(text);
  } catch (const InputError& e) {
    return require(placeExists(text, e.where.line, e.where.column), "a workload fault names a place not in the text");
  }
  for (const Solid& solid : w.solids) {
    for (const PolygonRing& ring : solid.polygons) {
      require(ring.vertices.size() >= 3, "an accepted polygon has fewer than three vertices");
      for (const Vertex& v : ring.vertices) {
        require(std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]), "an accepted coordinate is infinite");
      }
    }
  }
  require(!w.ops.empty(), "an accepted workload has no operation");
  for (std::size_t i = 0; i < w.ops.size(); ++i) {
    for (const Operand& o : {w.ops[i].left, w.ops[i].right}) {
      require(o.isPreviousResult() ? i > 0 : std::size_t(o.solid) < w.solids.size(), "an accepted operand names nothing");
    }
  }
  checkLimits(w);
}
