#include "display/tree_panel.h"

#include <algorithm>
#include <string>

#include "bsp/bsp_node.h"
#include "bsp/bsp_tree.h"
#include "display/gdi_object.h"
#include "display/overlay_colours.h"
#include "display/text.h"
#include "polygon/poly_list.h"

namespace {

void countNode(const BspTree& tree, int depth, TreeCounts& counts) {
  if (tree.root == nullptr) return;
  ++counts.nodes;
  counts.depth = std::max(counts.depth, depth + 1);
  for (const PolyNode* p = tree.root->coplanar->head; p != nullptr; p = p->next) ++counts.polygons;
  countNode(tree.root->back, depth + 1, counts);
  countNode(tree.root->front, depth + 1, counts);
}

// In-order: the back subtree, the node, the front subtree. A node is
// pushed before its subtrees, so that they can name it as their parent;
// its column is its place in the in-order walk, kept in centre.x until the
// layout is scaled to its area.
void placeNode(const BspTree& tree, int parent, int depth, int& column, std::vector<PanelNode>& layout) {
  if (tree.root == nullptr) return;
  const auto self = static_cast<int>(layout.size());
  layout.push_back(PanelNode{tree.root, POINT{0, 0}, parent, depth});
  placeNode(tree.root->back, self, depth + 1, column, layout);
  layout[self].centre.x = column++;
  placeNode(tree.root->front, self, depth + 1, column, layout);
}

long squaredDistance(const POINT& a, const POINT& b) {
  const long dx = long(a.x) - b.x, dy = long(a.y) - b.y;
  return dx * dx + dy * dy;
}

// One pen and brush for every node of a colour: a frame with the panel
// makes a handful of GDI objects, not two per node.
void drawNodes(HDC dc, const std::vector<PanelNode>& layout, int radius, COLORREF colour,
               const BspNode* only = nullptr) {
  ScopedPen pen(dc, solidPen(colour));
  ScopedBrush brush(dc, CreateSolidBrush(colour));
  for (const PanelNode& n : layout) {
    if (only != nullptr && n.node != only) continue;
    Ellipse(dc, n.centre.x - radius, n.centre.y - radius, n.centre.x + radius + 1, n.centre.y + radius + 1);
  }
}

}  // namespace

TreeCounts countTree(const BspTree& tree) {
  TreeCounts counts;
  countNode(tree, 0, counts);
  return counts;
}

std::vector<PanelNode> layoutTree(const BspTree& tree, const RECT& area) {
  std::vector<PanelNode> layout;
  int columns = 0;
  placeNode(tree, -1, 0, columns, layout);
  int deepest = 0;
  for (const PanelNode& n : layout) deepest = std::max(deepest, n.depth);
  const double columnWidth = columns == 0 ? 0.0 : double(area.right - area.left) / columns;
  const double rowHeight = deepest == 0 ? 0.0 : double(area.bottom - area.top) / deepest;
  for (PanelNode& n : layout) {
    n.centre.x = area.left + static_cast<LONG>(columnWidth * (n.centre.x + 0.5));
    n.centre.y = area.top + static_cast<LONG>(rowHeight * n.depth);
  }
  return layout;
}

const BspNode* nodeAt(const std::vector<PanelNode>& layout, const POINT& pixel) {
  const BspNode* nearest = nullptr;
  long best = long(kPickRadius) * kPickRadius + 1;
  for (const PanelNode& n : layout) {
    const long d = squaredDistance(n.centre, pixel);
    if (d < best) {
      best = d;
      nearest = n.node;
    }
  }
  return nearest;
}

const BspNode* nodeHolding(const BspTree& tree, const Poly* poly) {
  if (tree.root == nullptr || poly == nullptr) return nullptr;
  for (const PolyNode* p = tree.root->coplanar->head; p != nullptr; p = p->next) {
    if (&*p->poly == poly) return tree.root;
  }
  if (const BspNode* found = nodeHolding(tree.root->back, poly)) return found;
  return nodeHolding(tree.root->front, poly);
}

bool insidePanel(const POINT& pixel) {
  return pixel.x >= kTreePanel.left && pixel.x < kTreePanel.right && pixel.y >= kTreePanel.top &&
         pixel.y < kTreePanel.bottom;
}

void drawTreePanel(HDC dc, const BspTree& tree, const BspNode* highlighted, const BspNode* selected) {
  panelBackground(dc, kTreePanel, kPanelFill, kPanelEdge);
  const std::vector<PanelNode> layout = layoutTree(tree, kTreeDiagram);
  {
    ScopedPen pen(dc, solidPen(kTreeLinkColour));
    for (const PanelNode& n : layout) {
      if (n.parent < 0) continue;
      const POINT& from = layout[n.parent].centre;
      MoveToEx(dc, from.x, from.y, nullptr);
      LineTo(dc, n.centre.x, n.centre.y);
    }
  }
  drawNodes(dc, layout, kNodeRadius, kTreeNodeColour);
  // Marked nodes drawn larger over their plain dot, the highlight last.
  if (selected != nullptr) drawNodes(dc, layout, kNodeRadius + 1, kSelectionColour, selected);
  if (highlighted != nullptr) drawNodes(dc, layout, kNodeRadius + 1, kHighlightColour, highlighted);
  const TreeCounts counts = countTree(tree);
  const int left = kTreePanel.left + 6;
  const int top = kTreePanel.bottom - 2 * kSmallTextHeight - 6;
  writeText(dc, left, top, "nodes " + std::to_string(counts.nodes) + "  polygons " + std::to_string(counts.polygons),
            kPanelTextColour, TextFont::Small);
  writeText(dc, left, top + kSmallTextHeight, "depth " + std::to_string(counts.depth), kPanelTextColour,
            TextFont::Small);
}
