// What a frame shows beyond the plain model, as the viewer's keys choose it.
// With every field at its default a frame is the plain frame, pixel for
// pixel: the extras only ever draw when asked for.
#ifndef KELVANE_DISPLAY_VIEW_STATE_H
#define KELVANE_DISPLAY_VIEW_STATE_H

#include <string>
#include <vector>

#include "polygon/poly.h"

class BspTree;
class BspNode;

// paintLimit when every polygon is drawn.
constexpr int kPaintAll = -1;

struct ViewState {
  const BspTree* tree = nullptr;  // the tree drawn; null for sceneTree
  std::string caption;            // written at the top left when not empty
  bool outlineOnly = false;       // polygons as outlines, without fill
  bool showTree = false;          // the tree panel
  bool showHelp = false;          // the help panel
  std::vector<std::string> helpLines;
  // Painter's replay: a frame draws only the first paintLimit polygons that
  // face the eye, and outlines the last of them.
  int paintLimit = kPaintAll;
  // The node picked in the tree panel; its polygons are outlined.
  const BspNode* selectedNode = nullptr;

  // Set by each frame's drawing: polygons drawn and the last of them.
  int painted = 0;
  const Poly* lastPainted = nullptr;
};

#endif
