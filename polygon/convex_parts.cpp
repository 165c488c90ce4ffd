#include "polygon/convex_parts.h"

#include "polygon/poly_ref.h"

void addConvexRing(PolyList& list, const Point3* points, int count) {
  makeConvexParts(points, count, [&list](CountedPoly* part) {
    PolyRef r;
    r = part;
    list.add(r);
  });
}
