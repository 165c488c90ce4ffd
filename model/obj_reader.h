// Wavefront OBJ meshes: "v x y z" points (a weight or colour after them is
// ignored) and "f i j k ..." faces whose indices count from 1 (negative ones
// back from the latest point), each index optionally followed by
// /texture/normal indices, which are ignored.
// Faces run counterclockwise seen from outside. Texture, normal, group,
// object, smoothing and material lines are ignored; any other statement
// (lines, curves, surfaces) is refused.
#ifndef KELVANE_MODEL_OBJ_READER_H
#define KELVANE_MODEL_OBJ_READER_H

#include <string>
#include <string_view>

#include "model/scene.h"

// A scene of one solid; throws SceneError at the first fault, or when the
// faces do not close up into a solid.
Scene readObj(const std::string& file, std::string_view text);

#endif
