// What a scene file may ask for. Each limit is far above any scene one would
// draw and well below what would exhaust memory, the stack or float range;
// a file beyond one is refused with a message that names the limit.
#ifndef KELVANE_MODEL_LIMITS_H
#define KELVANE_MODEL_LIMITS_H

#include <cstddef>

constexpr std::size_t kMaxSceneBytes = 64u << 20;
// Nested groups and operations: the parser and the evaluator recurse once
// per level.
constexpr int kMaxNesting = 200;
// Fragments of one circle: OpenSCAD's rule gives at most 360 / 0.01.
constexpr int kMaxFragments = 10000;
// Polygons of the whole scene before any operation. A convex solid becomes
// a chain of nodes as long as its face count, and the tree's operations and
// its drawing recurse once per level: this keeps the deepest tree well
// within the stack (a sphere of 80,000 faces overflows it).
constexpr std::size_t kMaxScenePolygons = 30000;
// Any number, and any coordinate after transforming: floats hold it with
// room for the products the operations form.
constexpr double kMaxMagnitude = 1e15;

#endif
