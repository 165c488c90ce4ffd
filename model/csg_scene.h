// The meaning of a flattened CSG file: its calls turned into a Scene.
// Transforms are multiplied down the tree and applied to the primitives'
// points, so that every solid arrives in final coordinates; a transform
// that mirrors space also reverses the solid's rings. Groups, colours and
// render are unions of their children. Whatever lies outside the subset
// the format is used for here (2-D objects, extrusions, import, hull, ...)
// is refused, naming the call.
#ifndef KELVANE_MODEL_CSG_SCENE_H
#define KELVANE_MODEL_CSG_SCENE_H

#include "model/csg_syntax.h"
#include "model/scene.h"

// Throws SceneError at the first fault, or when the scene would exceed the
// limits of model/limits.h.
Scene buildCsgScene(const CsgFile& file);

#endif
