// What every reader does last with a solid's faces: checks that they close
// up into a consistently oriented surface around a positive volume, then
// cuts each face into convex pieces. The reader says how to name a face.
#ifndef KELVANE_MODEL_SOLID_CHECK_H
#define KELVANE_MODEL_SOLID_CHECK_H

#include <cstddef>
#include <functional>
#include <string>

#include "model/mesh.h"
#include "model/scene_error.h"

// The error for a fault at face (an index into the mesh's faces), or, for
// kWholeSolid, at the solid as a whole.
using FaceFault = std::function<SceneError(std::size_t face, const std::string& message)>;
constexpr std::size_t kWholeSolid = static_cast<std::size_t>(-1);

// Throws what fault makes of the first defect; returns the convex mesh.
Mesh checkedSolid(Mesh mesh, const FaceFault& fault);

#endif
