#include "harness/workload.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "bsp/split.h"

namespace {

[[noreturn]] void fault(const JsonValue& at, const std::string& message) { throw InputError(at.where, message); }

const JsonValue& expectKind(const JsonValue& value, JsonValue::Kind kind, const char* what) {
  if (value.kind != kind) {
    fault(value, std::string(what) + " must be " + kindName(kind) + ", not " + kindName(value.kind));
  }
  return value;
}

const JsonValue& member(const JsonValue& object, const char* name, JsonValue::Kind kind) {
  for (const auto& [key, value] : object.members) {
    if (key == name) return expectKind(value, kind, ("\"" + std::string(name) + "\"").c_str());
  }
  fault(object, std::string("the workload has no \"") + name + "\" member");
}

// The float nearest to the literal, as strtof would give it. Values too small
// for a float become zero or subnormal; values too large are refused.
float readCoordinate(const JsonValue& number) {
  expectKind(number, JsonValue::Kind::Number, "a coordinate");
  const std::string& text = number.text;
  float value = 0.0f;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc() && end == text.data() + text.size()) return value;
  const double wide = std::strtod(text.c_str(), nullptr);
  if (std::fabs(wide) >= 1.0) fault(number, "coordinate " + text + " is out of the float range");
  return static_cast<float>(wide);
}

PolygonRing readPolygon(const JsonValue& polygon) {
  expectKind(polygon, JsonValue::Kind::Array, "a polygon");
  if (polygon.items.size() < 3) {
    fault(polygon, "a polygon needs at least 3 vertices, this one has " + std::to_string(polygon.items.size()));
  }
  PolygonRing ring;
  ring.where = polygon.where;
  ring.vertices.reserve(polygon.items.size());
  for (const JsonValue& vertex : polygon.items) {
    expectKind(vertex, JsonValue::Kind::Array, "a vertex");
    if (vertex.items.size() != 3) {
      fault(vertex, "a vertex must be [x, y, z], this one has " + std::to_string(vertex.items.size()) + " numbers");
    }
    ring.vertices.push_back(
        {readCoordinate(vertex.items[0]), readCoordinate(vertex.items[1]), readCoordinate(vertex.items[2])});
  }
  return ring;
}

std::vector<Solid> readSolids(const JsonValue& solids) {
  std::vector<Solid> out;
  for (const auto& [name, polygons] : solids.members) {
    if (name == kPreviousResult) fault(polygons, "a solid may not be called \"" + name + "\"");
    for (const Solid& earlier : out) {
      if (earlier.name == name) fault(polygons, "a second solid called \"" + name + "\"");
    }
    expectKind(polygons, JsonValue::Kind::Array, ("solid \"" + name + "\"").c_str());
    Solid solid;
    solid.name = name;
    solid.polygons.reserve(polygons.items.size());
    for (const JsonValue& polygon : polygons.items) solid.polygons.push_back(readPolygon(polygon));
    out.push_back(std::move(solid));
  }
  return out;
}

OpKind readKind(const JsonValue& kind) {
  expectKind(kind, JsonValue::Kind::String, "an operation's kind");
  if (kind.text == "subtract") return OpKind::Subtract;
  if (kind.text == "union") return OpKind::Union;
  if (kind.text == "intersect") return OpKind::Intersect;
  fault(kind, "unknown operation \"" + kind.text + "\" (known: subtract, union, intersect)");
}

Operand readOperand(const JsonValue& operand, const std::vector<Solid>& solids, bool hasPrevious) {
  expectKind(operand, JsonValue::Kind::String, "an operand");
  if (operand.text == kPreviousResult) {
    if (!hasPrevious) fault(operand, "\"<result>\" in the first operation: there is no earlier result");
    return Operand{};
  }
  for (std::size_t i = 0; i < solids.size(); ++i) {
    if (solids[i].name == operand.text) return Operand{static_cast<int>(i)};
  }
  fault(operand, "no solid called \"" + operand.text + "\"");
}

std::vector<Operation> readOps(const JsonValue& ops, const std::vector<Solid>& solids) {
  if (ops.items.empty()) fault(ops, "\"ops\" holds no operation");
  std::vector<Operation> out;
  for (const JsonValue& op : ops.items) {
    expectKind(op, JsonValue::Kind::Array, "an operation");
    if (op.items.size() != 3) fault(op, "an operation must be [kind, left, right]");
    Operation operation;
    operation.where = op.where;
    operation.kind = readKind(op.items[0]);
    operation.left = readOperand(op.items[1], solids, !out.empty());
    operation.right = readOperand(op.items[2], solids, !out.empty());
    out.push_back(operation);
  }
  return out;
}

}  // namespace

Workload parseWorkload(std::string_view text) {
  const JsonValue document = readJson(text);
  expectKind(document, JsonValue::Kind::Object, "a workload");
  Workload workload;
  workload.name = member(document, "name", JsonValue::Kind::String).text;
  workload.solids = readSolids(member(document, "solids", JsonValue::Kind::Object));
  workload.ops = readOps(member(document, "ops", JsonValue::Kind::Array), workload.solids);
  return workload;
}

Workload loadWorkload(const std::string& path) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) throw std::runtime_error(path + " is a directory");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::ostringstream contents;
  contents << in.rdbuf();
  if (in.bad()) throw std::runtime_error("cannot read " + path);
  return parseWorkload(contents.str());
}

LimitCheck checkLimits(const Workload& workload) {
  LimitCheck check;
  std::size_t largest = 0;
  for (const Solid& solid : workload.solids) {
    for (const PolygonRing& polygon : solid.polygons) largest = std::max(largest, polygon.vertices.size());
  }
  // A cut adds at most one vertex to a convex polygon.
  if (largest + 1 > static_cast<std::size_t>(kSplitCapacity)) {
    check.note = "polygons of up to " + std::to_string(largest) + " vertices, beyond the split scratch capacity of " +
                 std::to_string(kSplitCapacity - 1) + ": their cuts are collected on the heap";
  }
  return check;
}
