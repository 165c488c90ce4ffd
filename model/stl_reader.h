// STL meshes, ASCII and binary. Each triangle carries its own corners,
// which are welded by equal coordinates into shared points; the stored
// normal is ignored and the corner order (counterclockwise seen from
// outside) decides the orientation. A file is binary when its size is
// exactly what the triangle count in its header needs, unless it starts
// with "solid" and is all text; otherwise it must be ASCII, starting with
// "solid".
#ifndef KELVANE_MODEL_STL_READER_H
#define KELVANE_MODEL_STL_READER_H

#include <string>
#include <string_view>

#include "model/scene.h"

// A scene of one solid; throws SceneError at the first fault, or when the
// triangles do not close up into a solid.
Scene readStl(const std::string& file, std::string_view bytes);

#endif
