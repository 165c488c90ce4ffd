// The traversal benchmark's drawPoly: it only counts, so that the figure is
// the walk itself.
#include "bench/core/draw_counter.h"

#include "bsp/draw_hook.h"

long drawnPolyCount = 0;

void drawPoly(PolyRef polyRef) {
  benchmark::DoNotOptimize(polyRef.get());
  ++drawnPolyCount;
}
