// The CSG bench's workload reader on arbitrary bytes. A refused document
// names a place that exists in it; an accepted one holds only what the
// bench can run (rings of three or more finite vertices, operands that name
// a solid or an earlier result) and, written out again, reads back the same.
#include <cmath>
#include <cstdio>
#include <string>

#include "bench/csg/workload.h"
#include "fuzz/checks.h"
#include "fuzz/invariant.h"
#include "fuzz/text_place.h"

namespace {

std::string quoted(const std::string& s) {
  std::string out = "\"";
  for (const char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string operand(const Workload& w, const Operand& o) {
  return quoted(o.isPreviousResult() ? std::string(kPreviousResult) : w.solids[o.solid].name);
}

std::string written(const Workload& w) {
  static const char* const kKinds[] = {"subtract", "union", "intersect"};
  std::string out = "{\"name\":" + quoted(w.name) + ",\"solids\":{";
  for (std::size_t s = 0; s < w.solids.size(); ++s) {
    out += (s > 0 ? "," : "") + quoted(w.solids[s].name) + ":[";
    for (std::size_t p = 0; p < w.solids[s].polygons.size(); ++p) {
      out += p > 0 ? ",[" : "[";
      const auto& vertices = w.solids[s].polygons[p].vertices;
      for (std::size_t v = 0; v < vertices.size(); ++v) {
        char xyz[64];
        std::snprintf(xyz, sizeof xyz, "%s[%.9g,%.9g,%.9g]", v > 0 ? "," : "", vertices[v][0], vertices[v][1],
                      vertices[v][2]);
        out += xyz;
      }
      out += "]";
    }
    out += "]";
  }
  out += "},\"ops\":[";
  for (std::size_t i = 0; i < w.ops.size(); ++i) {
    const Operation& op = w.ops[i];
    out += std::string(i > 0 ? "," : "") + "[\"" + kKinds[static_cast<int>(op.kind)] + "\"," + operand(w, op.left) +
           "," + operand(w, op.right) + "]";
  }
  return out + "]}";
}

void requireRunnable(const Workload& w) {
  for (const Solid& solid : w.solids) {
    for (const PolygonRing& ring : solid.polygons) {
      require(ring.vertices.size() >= 3, "an accepted polygon has fewer than three vertices");
      for (const Vertex& v : ring.vertices) {
        require(std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]),
                "an accepted coordinate is not finite");
      }
    }
  }
  require(!w.ops.empty(), "an accepted workload has no operation");
  for (std::size_t i = 0; i < w.ops.size(); ++i) {
    for (const Operand& o : {w.ops[i].left, w.ops[i].right}) {
      require(o.isPreviousResult() ? i > 0 : std::size_t(o.solid) < w.solids.size(),
              "an accepted operand names nothing");
    }
  }
}

bool sameWorkload(const Workload& a, const Workload& b) {
  if (a.name != b.name || a.solids.size() != b.solids.size() || a.ops.size() != b.ops.size()) return false;
  for (std::size_t s = 0; s < a.solids.size(); ++s) {
    if (a.solids[s].name != b.solids[s].name || a.solids[s].polygons.size() != b.solids[s].polygons.size()) {
      return false;
    }
    for (std::size_t p = 0; p < a.solids[s].polygons.size(); ++p) {
      if (a.solids[s].polygons[p].vertices != b.solids[s].polygons[p].vertices) return false;
    }
  }
  for (std::size_t i = 0; i < a.ops.size(); ++i) {
    if (a.ops[i].kind != b.ops[i].kind || a.ops[i].left.solid != b.ops[i].left.solid ||
        a.ops[i].right.solid != b.ops[i].right.solid) {
      return false;
    }
  }
  return true;
}

}  // namespace

void checkWorkloadReader(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Workload workload;
  try {
    workload = parseWorkload(text);
  } catch (const InputError& e) {
    require(placeExists(text, e.where.line, e.where.column), "a workload fault names a place not in the text");
    return;
  }
  requireRunnable(workload);
  checkLimits(workload);
  try {
    require(sameWorkload(parseWorkload(written(workload)), workload), "a workload written out reads back otherwise");
  } catch (const InputError& e) {
    throw InvariantBroken(std::string("a workload written out is refused: ") + e.what());
  }
}
