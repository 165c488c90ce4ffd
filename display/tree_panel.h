// The BSP tree as a node-link diagram in a corner panel: each node sits in
// the column of its place in an in-order walk (back subtree, node, front
// subtree), so that back children lie left and front children right, and
// in the row of its depth. The same layout serves drawing and picking.
#ifndef KELVANE_DISPLAY_TREE_PANEL_H
#define KELVANE_DISPLAY_TREE_PANEL_H

#include <vector>

#include "platform/win32.h"
#include "polygon/poly.h"

class BspTree;
class BspNode;

struct TreeCounts {
  int nodes = 0;
  int polygons = 0;
  int depth = 0;  // nodes on the longest path from the root; 0 when empty
};

struct PanelNode {
  const BspNode* node;
  POINT centre;
  int parent;  // index in the layout; -1 for the root
  int depth;   // 0 for the root
};

// The panel's place on the 640 x 480 frame, the diagram's part of it, and
// the radius within which a click picks a node.
constexpr RECT kTreePanel = {376, 8, 632, 248};
constexpr RECT kTreeDiagram = {384, 16, 624, 204};
constexpr int kNodeRadius = 3;
constexpr int kPickRadius = 5;

TreeCounts countTree(const BspTree& tree);

// The nodes of `tree` in in-order, placed in `area`.
std::vector<PanelNode> layoutTree(const BspTree& tree, const RECT& area);

// The node whose centre lies nearest `pixel`, within kPickRadius; null if
// none does.
const BspNode* nodeAt(const std::vector<PanelNode>& layout, const POINT& pixel);

// The node whose coplanar list holds `poly`; null if none does.
const BspNode* nodeHolding(const BspTree& tree, const Poly* poly);

bool insidePanel(const POINT& pixel);

// Draws the panel on `dc`: the diagram, `highlighted` in the highlight
// colour, `selected` in the selection colour, the counts beneath.
void drawTreePanel(HDC dc, const BspTree& tree, const BspNode* highlighted, const BspNode* selected);

#endif
