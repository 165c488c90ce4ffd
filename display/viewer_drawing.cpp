// Projection to the screen and drawing on the open frame.
#include <cmath>
#include <cstdint>

#include "display/gdi_object.h"
#include "display/light.h"
#include "display/viewer.h"

namespace {

constexpr int kMarkerArm = 5;

// Truncates toward zero and keeps the low 16 bits as a signed value, as GDI
// keeps pixel coordinates: a vertex far outside the screen wraps rather than
// saturates (40000 becomes -25536). Values beyond the integers a double
// holds exactly are reduced first, so that the cast is always defined; a
// coordinate that is not a number has no position and goes to 0.
LONG wrapToPixel(double v) {
  if (!std::isfinite(v)) return 0;
  constexpr double kExactLimit = 9007199254740992.0;  // 2^53
  if (std::fabs(v) >= kExactLimit) v = std::fmod(v, 65536.0);
  const auto whole = static_cast<std::int64_t>(v);
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint64_t>(whole) & 0xffffu));
}

}  // namespace

POINT Viewer::toScreen(const Point2& p) const {
  const double x = double(scale) * p.x + centreX;
  const double y = centreY - double(scale) * p.y;
  return POINT{wrapToPixel(x), wrapToPixel(y)};
}

Point2 Viewer::fromScreen(const POINT& pixel) const {
  return Point2(static_cast<float>((double(pixel.x) - centreX) / scale),
                static_cast<float>(-((double(pixel.y) - centreY) / scale)));
}

void Viewer::moveTo(const Point2& p) {
  const POINT pixel = toScreen(p);
  MoveToEx(dc, pixel.x, pixel.y, nullptr);
}

void Viewer::lineTo(const Point2& p) {
  const POINT pixel = toScreen(p);
  LineTo(dc, pixel.x, pixel.y);
}

// GDI leaves out the right and bottom edges of the rectangle, hence the +1.
void Viewer::ellipse(const Point2& lowerLeft, const Point2& upperRight) {
  const POINT a = toScreen(lowerLeft);
  const POINT b = toScreen(upperRight);
  Ellipse(dc, a.x, b.y, b.x + 1, a.y + 1);
}

// LineTo leaves out its end pixel, hence the arms run to one past their end.
void Viewer::marker(const Point2& p) {
  const POINT c = toScreen(p);
  MoveToEx(dc, c.x - kMarkerArm, c.y, nullptr);
  LineTo(dc, c.x + kMarkerArm + 1, c.y);
  MoveToEx(dc, c.x, c.y - kMarkerArm, nullptr);
  LineTo(dc, c.x, c.y + kMarkerArm + 1);
}

void Viewer::project(const Poly& poly, POINT* target) const {
  for (int k = 0; k < poly.vertexCount; ++k) {
    const Point3 projected = poly.vertices[k] * combined;
    target[k] = toScreen(Point2(projected.x, projected.y));
  }
}

// With the selected pen, every edge, the closing one included.
void Viewer::outlineRing(const POINT* ring, int count) {
  if (count < 2) return;
  MoveToEx(dc, ring[count - 1].x, ring[count - 1].y, nullptr);
  for (int k = 0; k < count; ++k) LineTo(dc, ring[k].x, ring[k].y);
}

void Viewer::drawPoly(PolyRef polyRef) {
  const Poly& poly = *polyRef;
  // Edge-on counts as facing away.
  if (!(eyeInModel.dot(poly.plane) > 0.0f)) return;
  // A painter's replay stops after its limit; kPaintAll is never reached.
  if (view.painted == view.paintLimit) return;
  ++view.painted;
  view.lastPainted = &poly;

  // The vertex count goes up to 255; a ring longer than the Viewer's buffer
  // is projected into one on the stack instead of being cut short.
  POINT spill[kMaxVertexCount];
  const int count = poly.vertexCount;
  POINT* target = count <= kPointCapacity ? points : spill;
  project(poly, target);
  if (view.outlineOnly) {
    outlineRing(target, count);
    return;
  }
  const int grey = greyLevel(poly.plane);
  ScopedBrush brush(dc, CreateSolidBrush(RGB(grey, grey, grey)));
  Polygon(dc, target, count);
}
