// The Viewer's side of the trackball drag. Every move starts again from the
// rotation saved at the press, so the rotation depends only on the press
// point and the current point, and no error builds up within a drag.
#include "display/drag_control.h"
#include "display/viewer.h"
#include "geometry/rotation_cleanup.h"

void Viewer::beginDrag(const POINT& pixel) {
  if (!isComplete()) return;
  dragStartRotation = modelRotation;
  trackball->begin(fromScreen(pixel));
  // Puts the current point on the start point before the first arc is drawn.
  trackball->drag(fromScreen(pixel));
  drawDragFrame();
}

void Viewer::drag(const POINT& pixel) {
  if (!isComplete()) return;
  const Matrix4 rotation = trackball->drag(fromScreen(pixel));
  modelRotation = cleanRotation(dragStartRotation * rotation);
  modelInverse = modelRotation.inverse();
  drawDragFrame();
}

// From the bottom up: the trackball's disc, the scene, the arc.
void Viewer::drawDragFrame() {
  if (!beginFrame()) return;
  trackball->drawBackground();
  drawScene();
  trackball->drawArc();
  endFrame();
}
