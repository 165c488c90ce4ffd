#include "bsp/partition.h"

#include "bsp/split.h"

PolyRef popUsable(PolyList& list) {
  PolyRef r = list.pop();
  while (r && r->isDegenerate()) r = list.pop();
  return r;
}

void partition(PolyList& list, const Plane& plane, PolyList& on, PolyList& back, PolyList& front) {
  while (const PolyRef p = popUsable(list)) {
    PolyRef backPiece;
    PolyRef frontPiece;
    const Side side = splitPoly(p, plane, backPiece, frontPiece);
    if (side == Side::On) {
      on.add(p);
      continue;
    }
    if (side != Side::Front) back.add(backPiece);
    if (side != Side::Back) front.add(frontPiece);
  }
}
