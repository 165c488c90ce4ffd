// Solids for the CSG suite, built from their own description (corners,
// outlines), and the independent measures their results are judged by.
#ifndef KELVANE_TESTS_BSP_SOLIDS_H
#define KELVANE_TESTS_BSP_SOLIDS_H

#include <cmath>
#include <utility>
#include <vector>

#include "bsp/csg.h"
#include "bsp/tree_probe.h"
#include "polygon/convex_parts.h"
#include "polygon/measure.h"

struct Point2d {
  double x, y;
};

// The outline, counterclockwise in the xy plane, swept from z0 to z1; each
// side face and both caps counterclockwise seen from outside.
inline PolyListRef prism(const std::vector<Point2d>& outline, double z0, double z1) {
  PolyListRef list;
  const int n = static_cast<int>(outline.size());
  std::vector<Point3> top, bottom;
  for (int i = 0; i < n; ++i) top.push_back(pt(float(outline[i].x), float(outline[i].y), float(z1)));
  for (int i = n - 1; i >= 0; --i) bottom.push_back(pt(float(outline[i].x), float(outline[i].y), float(z0)));
  addConvexRing(*list, top.data(), n);
  addConvexRing(*list, bottom.data(), n);
  for (int i = 0; i < n; ++i) {
    const Point2d a = outline[i], b = outline[(i + 1) % n];
    list->add(polyOf({pt(float(a.x), float(a.y), float(z0)), pt(float(b.x), float(b.y), float(z0)),
                      pt(float(b.x), float(b.y), float(z1)), pt(float(a.x), float(a.y), float(z1))}));
  }
  return list;
}

// The box [lo, hi], an axis-aligned prism.
inline PolyListRef box(double x0, double y0, double z0, double x1, double y1, double z1) {
  return prism({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, z0, z1);
}

// The box of half-size h centred at c on every axis.
inline PolyListRef cubeAround(double c, double h) { return box(c - h, c - h, c - h, c + h, c + h, c + h); }

// A regular n-gon of radius r about the origin, counterclockwise.
inline std::vector<Point2d> regularPolygon(int n, double r) {
  std::vector<Point2d> ring;
  for (int i = 0; i < n; ++i) ring.push_back({r * std::cos(2 * M_PI * i / n), r * std::sin(2 * M_PI * i / n)});
  return ring;
}

struct SolidFigures {
  double volume = 0;
  double area = 0;
  int faces = 0;
  double openness = 0;  // length of the summed vector area, 0 for a closed surface
  bool heldOnce = true;  // every polygon held by the tree alone
};

inline SolidFigures figuresOf(const BspTree& tree) {
  SolidFigures f;
  const Polys polys = allPolys(tree);
  double sx = 0, sy = 0, sz = 0;
  for (const CountedPoly* p : polys) {
    const double a = area(*p);
    sx += a * p->plane.x;
    sy += a * p->plane.y;
    sz += a * p->plane.z;
    f.heldOnce = f.heldOnce && p->refCount == 1;
  }
  const PolyListRef list = solidPolygons(tree);
  f.volume = solidVolume(*list);
  f.area = surfaceArea(*list);
  f.faces = static_cast<int>(polys.size());
  f.openness = std::sqrt(sx * sx + sy * sy + sz * sz);
  return f;
}

#endif
