#ifndef KELVANE_BENCH_CORE_ALLOCATION_COUNTER_H
#define KELVANE_BENCH_CORE_ALLOCATION_COUNTER_H

// How many times the core benchmarks' operator new has been called.
extern long allocationCount;

#endif
