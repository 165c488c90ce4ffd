#include "interaction/trackball.h"

#include <cmath>

#include "display/current_viewer.h"
#include "display/gdi_object.h"
#include "geometry/tolerance.h"
#include "geometry/transform.h"

namespace {

constexpr short kArcDepth = 5;

constexpr COLORREF kDiscOutline = RGB(0x55, 0x55, 0x55);
constexpr COLORREF kDiscFill = RGB(0x33, 0x33, 0x33);
constexpr COLORREF kArcColour = RGB(0, 0, 255);
constexpr COLORREF kCurrentColour = RGB(255, 0, 0);
constexpr COLORREF kStartColour = RGB(255, 255, 255);

}  // namespace

// Until the first drag, both points sit at the front of the ball.
Trackball::Trackball(const Point2& centre_, float radius_)
    : centre(centre_),
      radius(radius_),
      start(0, 0, radius_),
      current(0, 0, radius_),
      startMark(centre_),
      currentMark(centre_) {}

Vector3 Trackball::mapToSphere(const Point2& v) const {
  const float d = static_cast<float>(double(v.x) * v.x + double(v.y) * v.y);
  const float r2 = static_cast<float>(double(radius) * radius);
  if (r2 >= d) return Vector3(v.x, v.y, static_cast<float>(std::sqrt(double(r2) - d)));
  const double k = radius / std::sqrt(double(d));
  return Vector3(static_cast<float>(v.x * k), static_cast<float>(v.y * k), 0);
}

Point2 Trackball::mark(const Vector3& onBall) const { return Point2(onBall.x, onBall.y) + centre; }

void Trackball::begin(const Point2& p) {
  start = mapToSphere(Point2(p - Point2(centre)));
  startMark = mark(start);
}

Matrix4 Trackball::drag(const Point2& p) {
  current = mapToSphere(Point2(p - Point2(centre)));
  currentMark = mark(current);
  return rotationBetween(start, current);
}

void Trackball::drawBackground() {
  const HDC dc = currentDC();
  ScopedPen pen(dc, solidPen(kDiscOutline));
  ScopedBrush brush(dc, CreateSolidBrush(kDiscFill));
  ellipse(Point2(-radius, -radius) + centre, Point2(radius, radius) + centre);
}

void Trackball::drawArc() {
  const HDC dc = currentDC();
  {
    ScopedPen pen(dc, solidPen(kArcColour));
    traceArc(kArcDepth);
  }
  {
    ScopedPen pen(dc, solidPen(kCurrentColour));
    marker(currentMark);
  }
  // Last, so that it covers the current marker at the start of a drag.
  ScopedPen pen(dc, solidPen(kStartColour));
  marker(startMark);
}

void Trackball::traceArc(short depth) {
  moveTo(startMark);
  arcTo(depth, start, current);
}

// Bisects the great-circle arc. Two exactly opposite points (possible only
// on the rim, where z = 0) have no midpoint direction; any great circle
// joins them, and the one over the front of the ball is taken, so that the
// arc runs through the centre of the disc.
void Trackball::arcTo(short depth, const Vector3& from, const Vector3& to) {
  if (depth == 0) {
    lineTo(mark(to));
    return;
  }
  Vector3 sum = from + to;
  const Vector3 middle = sum.length() < kEpsilon ? Vector3(0, 0, radius) : sum.normalize() * radius;
  const short next = static_cast<short>(depth - 1);
  arcTo(next, from, middle);
  arcTo(next, middle, to);
}
