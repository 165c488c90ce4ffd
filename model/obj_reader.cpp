#include "model/obj_reader.h"

#include <cmath>
#include <cstdlib>

#include "model/limits.h"
#include "model/mesh_text.h"
#include "model/solid_check.h"

namespace {

constexpr const char* kIgnored[] = {"vt", "vn", "vp", "g", "o", "s", "usemtl", "mtllib"};

// The point a face index names: from 1, or negative from the latest point.
int pointIndex(const std::string& file, const Word& word, const std::vector<int>& welded) {
  const std::string text(word.text.substr(0, word.text.find('/')));
  char* end = nullptr;
  const long long n = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || end != text.c_str() + text.size()) {
    throw SceneError(file, word.place, "'" + std::string(word.text) + "' is not a point index");
  }
  const long long count = static_cast<long long>(welded.size());
  const long long index = n > 0 ? n - 1 : count + n;
  if (n == 0 || index < 0 || index >= count) {
    throw SceneError(file, word.place,
                     "point index " + text + " names no point (there are " + std::to_string(count) + " so far)");
  }
  return welded[std::size_t(index)];
}

}  // namespace

Scene readObj(const std::string& file, std::string_view text) {
  Mesh mesh;
  PointWelder welder(mesh.points);
  std::vector<int> welded;  // the welded point of each "v" line
  std::vector<TextPlace> places;
  WordScanner scanner(text, '#');
  while (!scanner.atEnd()) {
    std::vector<Word> line{scanner.take()};
    for (const Word& w : scanner.restOfLine(line[0])) line.push_back(w);
    const std::string_view keyword = line[0].text;
    if (keyword == "v") {
      if (line.size() != 4 && line.size() != 5 && line.size() != 7) {
        throw SceneError(file, line[0].place, "a point is 'v x y z', optionally followed by a weight or a colour");
      }
      // A weight only matters to curves, and colours not at all.
      for (std::size_t i = 4; i < line.size(); ++i) coordinate(file, line[i]);
      welded.push_back(welder.add({coordinate(file, line[1]), coordinate(file, line[2]), coordinate(file, line[3])}));
    } else if (keyword == "f") {
      if (line.size() < 4) throw SceneError(file, line[0].place, "a face needs three or more points");
      Ring ring;
      for (std::size_t i = 1; i < line.size(); ++i) ring.push_back(pointIndex(file, line[i], welded));
      if (!tidyRing(ring)) continue;
      if (mesh.faces.size() >= kMaxScenePolygons) {
        throw SceneError(file, line[0].place, "more than " + std::to_string(kMaxScenePolygons) + " faces");
      }
      mesh.faces.push_back(std::move(ring));
      places.push_back(line[0].place);
    } else {
      bool ignored = false;
      for (const char* k : kIgnored) ignored = ignored || keyword == k;
      if (!ignored)
        throw SceneError(file, line[0].place, "'" + std::string(keyword) + "' statements are not supported");
    }
  }
  Scene scene;
  scene.file = file;
  scene.root.kind = SceneNode::Kind::Solid;
  scene.root.name = "mesh";
  scene.root.mesh = checkedSolid(std::move(mesh), [&](std::size_t face, const std::string& message) {
    if (face == kWholeSolid) return SceneError(file, message);
    return SceneError(file, places[face], message);
  });
  return scene;
}
