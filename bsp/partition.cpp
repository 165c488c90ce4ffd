#include "bsp/partition.h"

PolyRef popUsable(PolyList& list) {
  PolyRef r = list.pop();
  while (r && r->isDegenerate()) r = list.pop();
  return r;
}

void partition(PolyList& list, const Plane& plane, float tolerance, PolyList& on, PolyList& back, PolyList& front) {
  while (const PolyRef p = popUsable(list)) {
    visitPieces(p, plane, tolerance, [&](Side side, const PolyRef& piece) {
      (side == Side::On ? on : side == Side::Back ? back : front).add(piece);
    });
  }
}
