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
// Polygons of the whole scene before any operation. The largest mesh the
// file limit admits fits (a binary STL of 64 MiB holds 1,342,177
// triangles, an OBJ of that size about as many); a scene this large takes
// about 1.3 GB. A .csg file can ask for far more (a sphere of the most
// fragments is 50 million faces), which is refused before it is made.
// Trees are founded balanced (bsp/balanced_build.h), so their depth, and
// the recursion of the tree's operations and drawing with it, grows with
// the logarithm of the count, not with the count.
constexpr std::size_t kMaxScenePolygons = 2000000;
// Each solid of a .csg scene combined into the tree may deepen it by a
// chain of its faces in one cell, up to the few dozen a cell takes before
// its subtree is balanced: 5,000 cubes in a row make a tree 10,000 levels
// deep, which the stack holds with room to spare (at about 20,000 it does
// not). So a solid counts its faces, at most kSolidDepthShare, against
// kMaxSceneDepthShares: many small solids are refused long before one
// large one would be.
constexpr std::size_t kSolidDepthShare = 64;
constexpr std::size_t kMaxSceneDepthShares = 30000;
// Any number, and any coordinate after transforming: floats hold it with
// room for the products the operations form.
constexpr double kMaxMagnitude = 1e15;

#endif
