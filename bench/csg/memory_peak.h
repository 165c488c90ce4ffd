// The process's peak resident memory, as the kernel counts it, so that the
// bench can say what a workload needed at most without counting every
// allocation itself.
#ifndef KELVANE_BENCH_CSG_MEMORY_PEAK_H
#define KELVANE_BENCH_CSG_MEMORY_PEAK_H

#include <cstddef>

// Sets the peak to what is resident now and returns that, in bytes; 0 when
// the system keeps no such figures.
std::size_t restartResidentPeak();

// The peak resident size since the last restart, in bytes; 0 as above.
std::size_t residentPeak();

#endif
