#include "model/stl_reader.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>

#include "model/limits.h"
#include "model/mesh_text.h"
#include "model/solid_check.h"

namespace {

constexpr std::size_t kHeaderBytes = 84;
constexpr std::size_t kTriangleBytes = 50;

bool startsWithSolid(std::string_view bytes) {
  const std::size_t first = bytes.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && bytes.substr(first, 5) == "solid";
}

bool isText(std::string_view bytes) {
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (u > 126 || (u < 32 && u != '\n' && u != '\r' && u != '\t')) return false;
  }
  return true;
}

std::uint32_t triangleCount(std::string_view bytes) {
  std::uint32_t n = 0;
  for (int i = 3; i >= 0; --i) n = (n << 8) | static_cast<unsigned char>(bytes[80 + std::size_t(i)]);
  return n;
}

float floatAt(std::string_view bytes, std::size_t at) {
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(bytes[at + std::size_t(i)]);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

Scene sceneOf(const std::string& file, Mesh mesh, const FaceFault& fault) {
  Scene scene;
  scene.file = file;
  scene.root.kind = SceneNode::Kind::Solid;
  scene.root.name = "mesh";
  scene.root.mesh = checkedSolid(std::move(mesh), fault);
  return scene;
}

Scene readBinary(const std::string& file, std::string_view bytes) {
  const std::uint32_t count = triangleCount(bytes);
  const std::size_t needed = kHeaderBytes + std::size_t(count) * kTriangleBytes;
  if (bytes.size() != needed) {
    throw SceneError(file, "binary STL of " + std::to_string(count) + " triangles needs " + std::to_string(needed) +
                               " bytes, the file has " + std::to_string(bytes.size()) +
                               (bytes.size() < needed ? " (truncated)" : ""));
  }
  if (count > kMaxScenePolygons) {
    throw SceneError(file, "more than " + std::to_string(kMaxScenePolygons) + " triangles");
  }
  Mesh mesh;
  PointWelder welder(mesh.points);
  std::vector<std::size_t> offsets;
  for (std::size_t t = 0; t < count; ++t) {
    const std::size_t at = kHeaderBytes + t * kTriangleBytes;
    Ring ring;
    for (std::size_t corner = 0; corner < 3; ++corner) {
      Vec3 p;
      double* xyz[3] = {&p.x, &p.y, &p.z};
      for (std::size_t k = 0; k < 3; ++k) {
        const std::size_t where = at + 12 + corner * 12 + k * 4;
        *xyz[k] = floatAt(bytes, where);
        if (!(std::fabs(*xyz[k]) <= kMaxMagnitude)) {
          throw SceneError::atByte(file, where,
                                   "triangle " + std::to_string(t + 1) + " has a coordinate that is " +
                                       (std::isnan(*xyz[k]) ? "not a number" : "out of range"));
        }
      }
      ring.push_back(welder.add(p));
    }
    if (!tidyRing(ring)) continue;
    mesh.faces.push_back(std::move(ring));
    offsets.push_back(at);
  }
  return sceneOf(file, std::move(mesh), [&](std::size_t face, const std::string& message) {
    if (face == kWholeSolid) return SceneError(file, message);
    return SceneError::atByte(
        file, offsets[face],
        "triangle " + std::to_string((offsets[face] - kHeaderBytes) / kTriangleBytes + 1) + ": " + message);
  });
}

// The words of an ASCII file, with a cursor that expects.
class Words {
 public:
  Words(const std::string& file, std::string_view text) : file_(file), scanner_(text, 0) {}

  bool atEnd() const { return scanner_.atEnd(); }
  const Word& peek() const {
    if (atEnd()) throw SceneError(file_, scanner_.end(), "the file ends inside a solid (no 'endsolid')");
    return scanner_.peek();
  }
  Word take() {
    peek();
    return scanner_.take();
  }
  void expect(const char* keyword) {
    const Word w = take();
    if (w.text != keyword) {
      throw SceneError(file_, w.place, std::string("expected '") + keyword + "', found '" + std::string(w.text) + "'");
    }
  }
  // Skips the rest of the line of w (a solid's name).
  void skipLineOf(const Word& w) { scanner_.restOfLine(w); }

 private:
  const std::string& file_;
  WordScanner scanner_;
};

Scene readAscii(const std::string& file, std::string_view text) {
  Words words(file, text);
  Mesh mesh;
  PointWelder welder(mesh.points);
  std::vector<TextPlace> places;
  while (!words.atEnd()) {
    words.skipLineOf(words.take());  // "solid" and its name
    for (;;) {
      const Word facet = words.take();
      if (facet.text == "endsolid") {
        words.skipLineOf(facet);
        break;
      }
      if (facet.text != "facet")
        throw SceneError(file, facet.place, "expected 'facet' or 'endsolid', found '" + std::string(facet.text) + "'");
      words.expect("normal");
      for (int k = 0; k < 3; ++k) coordinate(file, words.take());
      words.expect("outer");
      words.expect("loop");
      Ring ring;
      while (words.peek().text == "vertex") {
        words.take();
        const double x = coordinate(file, words.take()), y = coordinate(file, words.take());
        ring.push_back(welder.add({x, y, coordinate(file, words.take())}));
      }
      if (ring.size() < 3) throw SceneError(file, words.peek().place, "a facet needs three vertices");
      words.expect("endloop");
      words.expect("endfacet");
      if (places.size() >= kMaxScenePolygons) {
        throw SceneError(file, facet.place, "more than " + std::to_string(kMaxScenePolygons) + " facets");
      }
      if (!tidyRing(ring)) continue;
      mesh.faces.push_back(std::move(ring));
      places.push_back(facet.place);
    }
    if (!words.atEnd() && words.peek().text != "solid") {
      throw SceneError(file, words.peek().place, "expected 'solid' or the end of the file");
    }
  }
  return sceneOf(file, std::move(mesh), [&](std::size_t face, const std::string& message) {
    if (face == kWholeSolid) return SceneError(file, message);
    return SceneError(file, places[face], "facet: " + message);
  });
}

}  // namespace

Scene readStl(const std::string& file, std::string_view bytes) {
  // Binary headers may start with "solid" too; only a text is read as one.
  if (startsWithSolid(bytes) && (bytes.size() < kHeaderBytes || isText(bytes))) return readAscii(file, bytes);
  if (bytes.size() < kHeaderBytes) {
    throw SceneError(file, "not an STL file: it does not start with 'solid' and is shorter than a binary header (" +
                               std::to_string(bytes.size()) + " of 84 bytes)");
  }
  return readBinary(file, bytes);
}
