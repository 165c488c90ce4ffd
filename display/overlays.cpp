// What the viewer draws over the model when its keys ask for it. Each part
// draws only when the view names it, so that the default view adds no call
// and no pixel to a frame.
#include <algorithm>
#include <vector>

#include "bsp/bsp_node.h"
#include "bsp/bsp_tree.h"
#include "display/gdi_object.h"
#include "display/overlay_colours.h"
#include "display/text.h"
#include "display/tree_panel.h"
#include "display/viewer.h"
#include "polygon/poly_list.h"

namespace {

constexpr int kCaptionX = 8;
constexpr int kCaptionY = 8;
constexpr int kHelpMargin = 8;

int countFacing(const BspTree& tree, const Point3& eye) {
  if (tree.root == nullptr) return 0;
  int count = countFacing(tree.root->back, eye) + countFacing(tree.root->front, eye);
  for (const PolyNode* p = tree.root->coplanar->head; p != nullptr; p = p->next) {
    // The same test as drawPoly's culling.
    if (eye.dot(p->poly->plane) > 0.0f) ++count;
  }
  return count;
}

}  // namespace

int Viewer::facingPolygonCount() const {
  const BspTree* tree = shownTree();
  return tree == nullptr ? 0 : countFacing(*tree, camera.eye * modelInverse);
}

void Viewer::drawOverlays() {
  const BspTree* tree = shownTree();
  if (view.selectedNode != nullptr) {
    ScopedPen pen(dc, solidPen(kSelectionColour));
    std::vector<POINT> ring;
    for (const PolyNode* p = view.selectedNode->coplanar->head; p != nullptr; p = p->next) {
      ring.resize(static_cast<std::size_t>(p->poly->vertexCount));
      project(*p->poly, ring.data());
      outlineRing(ring.data(), p->poly->vertexCount);
    }
  }
  const bool replaying = view.paintLimit != kPaintAll && view.lastPainted != nullptr;
  if (replaying) {
    ScopedPen pen(dc, solidPen(kHighlightColour));
    std::vector<POINT> ring(static_cast<std::size_t>(view.lastPainted->vertexCount));
    project(*view.lastPainted, ring.data());
    outlineRing(ring.data(), view.lastPainted->vertexCount);
  }
  if (!view.caption.empty()) writeText(dc, kCaptionX, kCaptionY, view.caption, kPanelTextColour);
  if (view.showTree && tree != nullptr) {
    drawTreePanel(dc, *tree, replaying ? nodeHolding(*tree, view.lastPainted) : nullptr, view.selectedNode);
  }
  if (view.showHelp && !view.helpLines.empty()) {
    std::size_t widest = 0;
    for (const std::string& line : view.helpLines) widest = std::max(widest, line.size());
    const int width = static_cast<int>(widest) * kTextWidth + 2 * kHelpMargin;
    const int height = static_cast<int>(view.helpLines.size()) * kTextHeight + 2 * kHelpMargin;
    const auto left = static_cast<LONG>(centreX) - width / 2;
    const auto top = static_cast<LONG>(centreY) - height / 2;
    const RECT box{left, top, left + width, top + height};
    panelBackground(dc, box, kPanelFill, kPanelEdge);
    int y = box.top + kHelpMargin;
    for (const std::string& line : view.helpLines) {
      writeText(dc, box.left + kHelpMargin, y, line, kPanelTextColour);
      y += kTextHeight;
    }
  }
}
