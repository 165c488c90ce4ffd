#include "bsp/bsp_tree.h"
#include "display/gdi_object.h"
#include "display/viewer.h"

void Viewer::drawScene() {
  combined = modelRotation * camera.viewProjection;
  eyeInModel = camera.eye * modelInverse;
  ScopedPen white(dc, solidPen(RGB(255, 255, 255)));
  if (scene != nullptr) scene->draw(eyeInModel);
}
