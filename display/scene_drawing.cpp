#include "bsp/bsp_tree.h"
#include "display/gdi_object.h"
#include "display/viewer.h"
#include "geometry/transform.h"

void Viewer::drawScene() {
  if (isFramed) {
    combined = (framing * modelRotation) * camera.viewProjection;
    eyeInModel = (camera.eye * modelInverse) * framingInverse;
  } else {
    combined = modelRotation * camera.viewProjection;
    eyeInModel = camera.eye * modelInverse;
  }
  ScopedPen white(dc, solidPen(RGB(255, 255, 255)));
  if (scene != nullptr) scene->draw(eyeInModel);
}

void Viewer::frameModel(const Point3& centre, float factor) {
  framing = translation(-centre.x, -centre.y, -centre.z) * scaling(factor, factor, factor);
  framingInverse = scaling(1.0f / factor, 1.0f / factor, 1.0f / factor) * translation(centre.x, centre.y, centre.z);
  isFramed = true;
}
