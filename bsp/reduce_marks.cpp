// Reduction trims a node's coplanar polygons by filtering them through the
// node's own subtrees, and a filter depends only on the planes it meets,
// never on the polygons held there. So a node's trimmed polygons stay right
// until a node is founded below it or a polygon joins its own list, and a
// subtree in which neither happened since the last reduction is skipped
// whole. A chain of operations, each touching a small part of a large
// result, then trims only the nodes along the paths it touched instead of
// the whole tree every time.
#include "bsp/bsp_node.h"

void BspNode::noteInsertion(bool foundedBelow, bool coplanarGrew) {
  if (foundedBelow || coplanarGrew) {
    trimmed = false;
    settled = false;
  }
}
