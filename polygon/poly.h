// A convex planar polygon that owns a copy of its vertex ring and computes
// its own plane once, while it is built (Newell's method: the sums of the
// ring's edge-by-edge projected areas give a normal that does not depend on
// which three vertices one picks, and that is exact for planar rings).
//
// A ring whose Newell sum has no finite, non-zero length (collinear or
// coincident vertices, non-finite coordinates) has no area and no usable
// plane. Such a polygon gets the null plane (0, 0, 0, 0) instead of the
// non-finite one that normalising would give; isDegenerate() reports it, and
// the tree operations drop it.
#ifndef KELVANE_POLYGON_POLY_H
#define KELVANE_POLYGON_POLY_H

#include <cstdint>

#include "geometry/vector.h"
#include "polygon/plane.h"
#include "polygon/primitive.h"

// The vertex count field is 8 bits wide.
constexpr int kMaxVertexCount = 255;
// Rings up to this long are kept inside the polygon, so that making one
// (a cube face, nearly every piece of a split) is a single allocation.
constexpr int kInlineVertexCount = 8;

class Poly : public Primitive {
 public:
  Plane plane;
  std::uint8_t vertexCount;
  Point3* vertices;

  // The ring points[indices[0]] .. points[indices[count - 1]]. A count
  // outside 1 to kMaxVertexCount ends the program (see fatal.h).
  Poly(const Point3* points, int count, const std::int32_t* indices);
  // The ring points[0] .. points[count - 1], same limits.
  Poly(const Point3* points, int count);
  ~Poly() override;

  Poly(const Poly&) = delete;
  Poly& operator=(const Poly&) = delete;

  // The unit Newell normal of the ring, or zeroVector for a degenerate ring.
  Vector3 computeNormal() const;

  // True when the polygon got the null plane.
  bool isDegenerate() const { return plane.x == 0.0f && plane.y == 0.0f && plane.z == 0.0f; }

  float intersect(const Ray& ray) const override;

 private:
  explicit Poly(int count);
  void computePlane();

  Point3 inlineRing[kInlineVertexCount];
};

#endif
