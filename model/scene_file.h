// Opening a scene file: the format follows the name's extension (.csg, .obj,
// .stl, in any case), and the whole file is read and checked before a
// Scene is handed over.
#ifndef KELVANE_MODEL_SCENE_FILE_H
#define KELVANE_MODEL_SCENE_FILE_H

#include <string>
#include <string_view>

#include "model/scene.h"

enum class SceneFormat { Csg, Obj, Stl };

// The format the name's extension gives; throws SceneError for any other.
SceneFormat sceneFormatOf(const std::string& path);

// Parses text in format; file names it in messages. Throws SceneError,
// also when the scene holds no solid.
Scene parseScene(const std::string& file, std::string_view text, SceneFormat format);

// Reads and parses the file at path; throws SceneError.
Scene loadScene(const std::string& path);

#endif
