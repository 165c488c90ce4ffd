#include "model/scene_file.h"

#include <algorithm>
#include <cctype>

#include "model/csg_parser.h"
#include "model/csg_scene.h"
#include "model/obj_reader.h"
#include "model/source_file.h"
#include "model/stl_reader.h"

SceneFormat sceneFormatOf(const std::string& path) {
  const auto dot = path.find_last_of("./");
  std::string extension = dot == std::string::npos || path[dot] == '/' ? "" : path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "csg") return SceneFormat::Csg;
  if (extension == "obj") return SceneFormat::Obj;
  if (extension == "stl") return SceneFormat::Stl;
  throw SceneError(path, "unknown kind of scene: the name must end in .csg (OpenSCAD's CSG export), .obj or .stl");
}

Scene parseScene(const std::string& file, std::string_view text, SceneFormat format) {
  Scene scene;
  switch (format) {
    case SceneFormat::Csg:
      scene = buildCsgScene(parseCsg(file, text));
      break;
    case SceneFormat::Obj:
      scene = readObj(file, text);
      break;
    case SceneFormat::Stl:
      scene = readStl(file, text);
      break;
  }
  if (scene.root.kind == SceneNode::Kind::Operation && scene.root.children.empty()) {
    throw SceneError(file, "the scene holds no solid");
  }
  return scene;
}

Scene loadScene(const std::string& path) {
  const SceneFormat format = sceneFormatOf(path);
  return parseScene(path, readSourceFile(path), format);
}
