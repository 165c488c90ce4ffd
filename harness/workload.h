// A CSG workload as the shared workload files describe it: named solids, each
// a list of polygons in generation order, and a chain of operations on them.
// Loading checks the file's format and names the line and column of the
// first fault; the system's own limits are checked separately, because a
// workload beyond them is well formed and is skipped, not refused.
#ifndef KELVANE_HARNESS_WORKLOAD_H
#define KELVANE_HARNESS_WORKLOAD_H

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "harness/json_reader.h"

using Vertex = std::array<float, 3>;

struct PolygonRing {
  std::vector<Vertex> vertices;
  TextPosition where;
};

struct Solid {
  std::string name;
  std::vector<PolygonRing> polygons;
};

enum class OpKind { Subtract, Union, Intersect };

// An operand is a solid, by its index in Workload::solids, or the result of
// the operation just before (solid < 0).
struct Operand {
  int solid = -1;
  bool isPreviousResult() const { return solid < 0; }
};

struct Operation {
  OpKind kind = OpKind::Union;
  Operand left;
  Operand right;
  TextPosition where;
};

struct Workload {
  std::string name;
  std::vector<Solid> solids;
  std::vector<Operation> ops;
};

// The text that names the previous operation's result as an operand.
constexpr std::string_view kPreviousResult = "<result>";

// Builds a workload from a document's text; throws InputError at the first
// fault of syntax or shape.
Workload parseWorkload(std::string_view text);

// The largest workload file read: reading stops there, so that a device
// like /dev/zero or a runaway file ends in a message, not in exhausted memory.
constexpr std::size_t kMaxWorkloadBytes = std::size_t{256} << 20;

// Reads and parses a file; throws InputError, or std::runtime_error naming
// the file when it cannot be read, is longer than `limit` bytes or does not
// fit in memory. Takes about the file's size and the workload's own.
Workload loadWorkload(const std::string& path, std::size_t limit = kMaxWorkloadBytes);

struct LimitCheck {
  std::string refusal;  // why the system cannot run the workload; empty when it can
  std::string note;     // what it runs beyond its usual sizes
};

// Measures the workload against the system's usual sizes before anything is
// built: polygons too large for the split scratch arrays, which the
// splitting handles on the heap. Nothing is refused at present.
LimitCheck checkLimits(const Workload& workload);

#endif
