#include "bsp/bsp_tree.h"
#include "display/gdi_object.h"
#include "display/viewer.h"

void Viewer::drawScene() {
  combined = modelRotation * camera.viewProjection;
  eyeInModel = camera.eye * modelInverse;
  view.painted = 0;
  view.lastPainted = nullptr;
  ScopedPen white(dc, solidPen(RGB(255, 255, 255)));
  if (const BspTree* tree = shownTree()) tree->draw(eyeInModel);
}

const BspTree* Viewer::shownTree() const { return view.tree != nullptr ? view.tree : scene; }
