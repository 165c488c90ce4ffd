// The core benchmarks' operator new counts its calls, so that a figure can
// say what it allocates as well as how long it takes.
#include "bench/core/allocation_counter.h"

#include <cstdlib>
#include <new>

long allocationCount = 0;

void* operator new(std::size_t size) {
  ++allocationCount;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
