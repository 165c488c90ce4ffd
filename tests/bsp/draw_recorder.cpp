#include "bsp/draw_recorder.h"

#include "bsp/draw_hook.h"

std::vector<DrawnPoly>& drawnPolys() {
  static std::vector<DrawnPoly> drawn;
  return drawn;
}

void drawPoly(PolyRef polyRef) { drawnPolys().push_back({polyRef.get(), polyRef->refCount}); }
