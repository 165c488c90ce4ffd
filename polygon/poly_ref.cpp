#include "polygon/poly_ref.h"

#include <cstdarg>
#include <cstdint>

#include "polygon/fatal.h"

PolyRef::PolyRef(const Point3* points, int count, ...) {
  // Checked before the indices are read: the buffer is sized for the field.
  if (count < 1 || count > kMaxVertexCount) fatal("polygon vertex count outside 1 to 255");
  std::int32_t indices[kMaxVertexCount];
  va_list args;
  va_start(args, count);
  for (int i = 0; i < count; ++i) indices[i] = va_arg(args, int);
  va_end(args);
  reset(new CountedPoly(points, count, indices));
}
