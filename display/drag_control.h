// What the Viewer needs of the control that turns the model: where a drag
// starts, the rotation it has made so far, and the overlay drawn under and
// over the scene while it lasts. The trackball (interaction/) provides it;
// the Viewer owns one and deletes it through this class.
#ifndef KELVANE_DISPLAY_DRAG_CONTROL_H
#define KELVANE_DISPLAY_DRAG_CONTROL_H

#include "geometry/matrix.h"
#include "geometry/vector.h"

class DragControl {
 public:
  // Starts a drag at the unit-coordinate point p.
  virtual void begin(const Point2& p) = 0;
  // Moves the drag to p and returns the rotation from its start to p.
  virtual Matrix4 drag(const Point2& p) = 0;
  // The overlay under the scene, drawn on the open frame.
  virtual void drawBackground() = 0;
  // The overlay over the scene, drawn on the open frame.
  virtual void drawArc() = 0;

  virtual ~DragControl() = default;
};

#endif
