// A virtual trackball: a sphere of `radius` centred at `centre` in the unit
// coordinates of the screen plane, its z axis pointing at the viewer. A
// screen point inside the ball's disc is lifted onto the front of the
// sphere, a point outside it is pulled onto the rim, and the rotation from
// the drag's start point to its current point turns through twice the angle
// between them (rotationBetween), so that the front of the model follows
// the mouse.
//
// The ball draws its own overlay through the current-viewer hooks: a grey
// disc under the scene, and over it the great-circle arc from the start
// point to the current point with a marker at each end.
#ifndef KELVANE_INTERACTION_TRACKBALL_H
#define KELVANE_INTERACTION_TRACKBALL_H

#include "display/drag_control.h"
#include "geometry/matrix.h"
#include "geometry/vector.h"

class Trackball : public DragControl {
 public:
  Trackball(const Point2& centre, float radius);

  // Starts a drag at the unit-coordinate point p.
  void begin(const Point2& p) override;
  // Moves the drag to p and returns the rotation from the start point to p:
  // radius^4 times a rotation, with radius^4 in its corner cell.
  Matrix4 drag(const Point2& p) override;
  // The ball's disc, in dark greys.
  void drawBackground() override;
  // The arc from the start point to the current point in blue, a red marker
  // at the current point and a white one, drawn last, at the start.
  void drawArc() override;

  // A displacement from the centre lifted onto the ball, or onto its rim
  // when it lies outside the disc: a vector of length radius with z >= 0.
  Vector3 mapToSphere(const Point2& v) const;
  // Moves the pen to startMark and draws the arc from start to current as
  // 2^depth segments.
  void traceArc(short depth);
  // Draws the arc from `from` to `to` with the pen at the image of `from`.
  void arcTo(short depth, const Vector3& from, const Vector3& to);

  Vector2 centre;
  float radius;
  Vector3 start;
  Vector3 current;
  Point2 startMark;
  Point2 currentMark;

 private:
  Point2 mark(const Vector3& onBall) const;
};

#endif
