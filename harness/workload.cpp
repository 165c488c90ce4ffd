#include "harness/workload.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <stdexcept>

#include "bsp/split.h"

namespace {

// The kind of the value that comes next must be `kind`; `what` names it.
void expectKind(JsonReader& json, JsonKind kind, const std::string& what) {
  const TextPosition at = json.where();
  const JsonKind found = json.peek();
  if (found != kind) json.fail(at, what + " must be " + kindName(kind) + ", not " + kindName(found));
}

// The float nearest to the literal, as strtof would give it. Values too small
// for a float become zero or subnormal; values too large are refused.
float readCoordinate(JsonReader& json) {
  expectKind(json, JsonKind::Number, "a coordinate");
  const TextPosition at = json.where();
  const std::string_view text = json.readNumber();
  float value = 0.0f;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc() && end == text.data() + text.size()) return value;
  const double wide = std::strtod(std::string(text).c_str(), nullptr);
  if (std::fabs(wide) >= 1.0) json.fail(at, "coordinate " + std::string(text) + " is out of the float range");
  return static_cast<float>(wide);
}

Vertex readVertex(JsonReader& json) {
  expectKind(json, JsonKind::Array, "a vertex");
  const TextPosition at = json.where();
  Vertex vertex{};
  std::size_t count = 0;
  json.readArray([&] {
    if (count < vertex.size()) {
      vertex[count] = readCoordinate(json);
    } else {
      json.skipValue();
    }
    ++count;
  });
  if (count != 3) json.fail(at, "a vertex must be [x, y, z], this one has " + std::to_string(count) + " numbers");
  return vertex;
}

PolygonRing readPolygon(JsonReader& json) {
  expectKind(json, JsonKind::Array, "a polygon");
  PolygonRing ring;
  ring.where = json.where();
  json.readArray([&] { ring.vertices.push_back(readVertex(json)); });
  if (ring.vertices.size() < 3) {
    json.fail(ring.where, "a polygon needs at least 3 vertices, this one has " + std::to_string(ring.vertices.size()));
  }
  ring.vertices.shrink_to_fit();
  return ring;
}

std::vector<Solid> readSolids(JsonReader& json) {
  expectKind(json, JsonKind::Object, "\"solids\"");
  std::vector<Solid> out;
  json.readObject([&](const std::string& name) {
    const TextPosition at = json.where();
    if (name == kPreviousResult) json.fail(at, "a solid may not be called \"" + name + "\"");
    for (const Solid& earlier : out) {
      if (earlier.name == name) json.fail(at, "a second solid called \"" + name + "\"");
    }
    expectKind(json, JsonKind::Array, "solid \"" + name + "\"");
    Solid solid;
    solid.name = name;
    json.readArray([&] { solid.polygons.push_back(readPolygon(json)); });
    solid.polygons.shrink_to_fit();
    out.push_back(std::move(solid));
  });
  return out;
}

// An operation as written: its operands are resolved once every solid is
// known, as "ops" may come before "solids".
struct WrittenOperation {
  Operation operation;
  std::string operands[2];
  TextPosition operandsAt[2];
};

OpKind readKind(JsonReader& json) {
  expectKind(json, JsonKind::String, "an operation's kind");
  const TextPosition at = json.where();
  const std::string kind = json.readString();
  if (kind == "subtract") return OpKind::Subtract;
  if (kind == "union") return OpKind::Union;
  if (kind == "intersect") return OpKind::Intersect;
  json.fail(at, "unknown operation \"" + kind + "\" (known: subtract, union, intersect)");
}

std::vector<WrittenOperation> readOps(JsonReader& json) {
  expectKind(json, JsonKind::Array, "\"ops\"");
  const TextPosition at = json.where();
  std::vector<WrittenOperation> out;
  json.readArray([&] {
    expectKind(json, JsonKind::Array, "an operation");
    WrittenOperation op;
    op.operation.where = json.where();
    std::size_t count = 0;
    json.readArray([&] {
      if (count == 0) {
        op.operation.kind = readKind(json);
      } else if (count < 3) {
        expectKind(json, JsonKind::String, "an operand");
        op.operandsAt[count - 1] = json.where();
        op.operands[count - 1] = json.readString();
      } else {
        json.skipValue();
      }
      ++count;
    });
    if (count != 3) json.fail(op.operation.where, "an operation must be [kind, left, right]");
    out.push_back(std::move(op));
  });
  if (out.empty()) json.fail(at, "\"ops\" holds no operation");
  return out;
}

Operand resolve(const JsonReader& json, const WrittenOperation& op, int side, const std::vector<Solid>& solids,
                bool hasPrevious) {
  const std::string& name = op.operands[side];
  if (name == kPreviousResult) {
    if (!hasPrevious) json.fail(op.operandsAt[side], "\"<result>\" in the first operation: there is no earlier result");
    return Operand{};
  }
  for (std::size_t i = 0; i < solids.size(); ++i) {
    if (solids[i].name == name) return Operand{static_cast<int>(i)};
  }
  json.fail(op.operandsAt[side], "no solid called \"" + name + "\"");
}

std::string readWorkloadText(const std::string& path, std::size_t limit) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) throw std::runtime_error(path + " is a directory");
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) throw std::runtime_error("cannot open " + path + ": " + std::strerror(errno));
  std::string text;
  try {
    // Devices and pipes tell no size; the limit holds for them all the same.
    const std::uintmax_t size = std::filesystem::file_size(path, ignored);
    if (!ignored) text.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(size, limit)));
    char chunk[1 << 16];
    for (;;) {
      const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
      if (got > limit - text.size()) {
        throw std::runtime_error(path + " is larger than " + std::to_string(limit >> 20) +
                                 " MiB, the most a workload file may hold");
      }
      text.append(chunk, got);
      if (got < sizeof chunk) break;
    }
  } catch (const std::bad_alloc&) {
    throw std::runtime_error("out of memory reading " + path + " (after " + std::to_string(text.size() >> 20) +
                             " MiB)");
  }
  if (std::ferror(file.get())) throw std::runtime_error("cannot read " + path + ": " + std::strerror(errno));
  return text;
}

}  // namespace

Workload parseWorkload(std::string_view text) {
  JsonReader json(text);
  expectKind(json, JsonKind::Object, "a workload");
  const TextPosition at = json.where();
  Workload workload;
  std::vector<WrittenOperation> ops;
  // Of members with the same name the first counts; later ones are skipped.
  bool seen[3] = {false, false, false};
  json.readObject([&](const std::string& name) {
    if (name == "name" && !seen[0]) {
      expectKind(json, JsonKind::String, "\"name\"");
      workload.name = json.readString();
      seen[0] = true;
    } else if (name == "solids" && !seen[1]) {
      workload.solids = readSolids(json);
      seen[1] = true;
    } else if (name == "ops" && !seen[2]) {
      ops = readOps(json);
      seen[2] = true;
    } else {
      json.skipValue();
    }
  });
  json.end();
  const char* const kMembers[] = {"name", "solids", "ops"};
  for (int i = 0; i < 3; ++i) {
    if (!seen[i]) json.fail(at, std::string("the workload has no \"") + kMembers[i] + "\" member");
  }
  for (const WrittenOperation& op : ops) {
    Operation operation = op.operation;
    operation.left = resolve(json, op, 0, workload.solids, !workload.ops.empty());
    operation.right = resolve(json, op, 1, workload.solids, !workload.ops.empty());
    workload.ops.push_back(operation);
  }
  return workload;
}

Workload loadWorkload(const std::string& path, std::size_t limit) {
  const std::string text = readWorkloadText(path, limit);
  try {
    return parseWorkload(text);
  } catch (const std::bad_alloc&) {
    throw std::runtime_error("out of memory reading the workload in " + path + " (" +
                             std::to_string(text.size() >> 20) + " MiB of text)");
  }
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
