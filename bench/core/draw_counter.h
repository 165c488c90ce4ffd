#ifndef KELVANE_BENCH_CORE_DRAW_COUNTER_H
#define KELVANE_BENCH_CORE_DRAW_COUNTER_H

#include <benchmark/benchmark.h>

// How many polygons drawPoly has been handed.
extern long drawnPolyCount;

#endif
