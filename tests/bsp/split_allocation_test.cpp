// This suite's operator new counts, so that a test can show what splitting
// allocates.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "bsp/split.h"
#include "polygon/test_shapes.h"

namespace {
long allocations = 0;
}

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

long allocationsDuring(const PolyRef& poly, const Plane& plane) {
  PolyRef back, front;
  const long before = allocations;
  splitPoly(poly, plane, back, front);
  return allocations - before;
}

TEST(SplitAllocation, OnlyACrossingPolygonCostsNewPolygons) {
  const PolyRef square = squareAt(0);
  EXPECT_EQ(allocationsDuring(square, planeOf(0, 0, 1, -1)), 0);  // behind
  EXPECT_EQ(allocationsDuring(square, planeOf(0, 0, 1, 1)), 0);   // in front
  EXPECT_EQ(allocationsDuring(square, planeOf(0, 0, 1, 0)), 0);   // in the plane
  EXPECT_EQ(allocationsDuring(square, planeOf(1, 0, 0, 0)), 4);   // two polygons, two rings
}

}  // namespace
