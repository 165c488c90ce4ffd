// Boolean operations on the solid a tree holds, by insertion with keep
// codes, mended where insertion alone gives a wrong answer.
//
// A face of either solid belongs to the result where the result is solid
// just behind it and empty just in front of it. So each solid's faces are
// filtered through the other solid's tree with a keep code (outside it, or
// inside it) before anything changes: the tree's own faces, node by node,
// through a tree built from the operand, and the operand's faces through
// the tree. Where a face lies in a plane of the other tree it runs along
// the other solid's boundary, and the subtree it is sent on to decides how
// the coincidence counts: sent to the subtree on its own front side it
// sees the other solid just in front of it, sent behind it just behind it.
// The rules below make a coincident face of the same facing appear once
// (the tree's copy is kept, the operand's dropped) and faces that touch
// from opposite sides vanish. A face is cut only where it crosses the
// other solid's surface: when no piece of it is dropped it stays whole.
//
// The operand's kept faces are then inserted with keep codes, as the
// demo's own boxes are: they found subtrees in the cells of the tree that
// they reach, and those subtrees tell inside from outside there. Filtering
// has already cut them on the very way down insertion takes, so each kept
// piece goes straight to where it ended: the cell it reached, or the first
// node whose plane holds it. A cell
// that no face of the operand reaches lies wholly inside or wholly outside
// the operand, and keeps its old label, which is wrong when the operation
// changes it (the inside of a box subtracted by a larger one). Such cells
// are noted before the insertion; those still empty after it get a point
// inside them (cell_probe.h), classified by the operand's tree; a
// cell whose label must change gets a node without polygons on its
// parent's plane turned round (and moved just off it), which turns its
// inside to outside or back.
//
// The work stays near the operand: for a union or a difference nothing
// outside the operand's box changes, so only the regions of the tree whose
// planes leave some of that box are walked (the box cut down plane by
// plane on the way), and of the nodes there only those whose faces meet
// the box have them filtered. An intersection empties everything outside
// the operand, so it walks the whole tree.
//
// Tolerances follow the model: on-plane distances scale with the largest
// coordinate (the size of a float's rounding there) and with the extent of
// the two solids (what the shapes can resolve).
#include "bsp/csg.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "bsp/bounds.h"
#include "bsp/bsp_node.h"
#include "bsp/cell_probe.h"
#include "bsp/founding.h"
#include "bsp/path_steps.h"
#include "bsp/partition.h"

namespace {

// Where a polygon lying in a node's plane goes on to, by whether it faces
// the way the plane does, and which cells keep what ends in them.
struct FilterRule {
  Side keep;
  Side sameFacing;
  Side oppositeFacing;
};

struct OperationRules {
  FilterRule treeFaces;     // the tree's own faces through the operand's tree
  FilterRule operandFaces;  // the operand's faces through the tree
  bool reverseOperand;      // the kept operand faces turned inside out
  bool insideCells;         // which cells may need a new label: inside ones, or outside ones
  bool nearOperandOnly;     // only cells near the operand can change
};

// Keep Front: outside the other solid; keep Back: inside it.
OperationRules rulesFor(CsgOperation operation) {
  switch (operation) {
    case CsgOperation::Union:
      return {{Side::Front, Side::Front, Side::Back}, {Side::Front, Side::Back, Side::Back}, false, false,
              true};
    case CsgOperation::Intersection:
      return {{Side::Back, Side::Back, Side::Front}, {Side::Back, Side::Front, Side::Front}, false, true,
              false};
    case CsgOperation::Difference:
      break;
  }
  return {{Side::Front, Side::Back, Side::Front}, {Side::Back, Side::Front, Side::Front}, true, true, true};
}

bool applies(CsgOperation operation, bool inTree, bool inOperand) {
  switch (operation) {
    case CsgOperation::Union: return inTree || inOperand;
    case CsgOperation::Intersection: return inTree && inOperand;
    case CsgOperation::Difference: break;
  }
  return inTree && !inOperand;
}

bool facesLike(const Poly& poly, const Plane& plane) {
  return double(poly.plane.x) * plane.x + double(poly.plane.y) * plane.y + double(poly.plane.z) * plane.z > 0.0;
}

// A piece that filtering keeps, and where insertion would put it into the
// tree it was filtered through: among the polygons of the first node whose
// plane holds it, or else into the cell it reaches.
struct Landing {
  PolyRef piece;
  const BspNode* lyingIn;
  const BspTree* cell;
};

// Adds to kept the pieces of poly that end in cells rule.keep selects, each
// with where it would be inserted (lyingIn: the first node on the way whose
// plane holds it); side is the cell tree is. *dropped, when given, is set
// when a piece ends elsewhere. Each piece goes all the way down right after
// its cut, so that no list is built per level.
void filterThrough(const BspTree& tree, Side side, const PolyRef& poly, std::vector<Landing>& kept,
                   const FilterRule& rule, float tolerance, bool* dropped, const BspNode* lyingIn = nullptr) {
  if (poly->isDegenerate()) return;
  if (tree.root == nullptr) {
    if (side == rule.keep) {
      kept.push_back({poly, lyingIn, &tree});
    } else if (dropped != nullptr) {
      *dropped = true;
    }
    return;
  }
  const BspNode& node = *tree.root;
  // A piece cut off into a cell that drops it is not made at all, unless a
  // drop is still to be told: whether it has a plane decides that.
  const bool makeAll = dropped != nullptr && !*dropped;
  const bool makeBack = makeAll || !node.back.isEmpty() || rule.keep == Side::Back;
  const bool makeFront = makeAll || !node.front.isEmpty() || rule.keep == Side::Front;
  visitPieces(
      poly, node.plane, tolerance,
      [&](Side s, const PolyRef& piece) {
        const BspNode* lying = lyingIn;
        if (s == Side::On) {
          if (lying == nullptr && !node.balancing) lying = &node;
          s = node.balancing ? Side::Front : facesLike(*piece, node.plane) ? rule.sameFacing : rule.oppositeFacing;
        }
        filterThrough(s == Side::Back ? node.back : node.front, s, piece, kept, rule, tolerance, dropped, lying);
      },
      makeBack, makeFront);
}

// Moves into kept what rule keeps of faces, filtered one by one through
// tree. When otherBox (the box of the tree's solid) is given, a face clear
// of it is wholly outside the solid and is not filtered.
// pieces is scratch space, left empty.
void keepFaces(PolyList& faces, const BspTree& tree, const Bounds* otherBox, const FilterRule& rule, float tolerance,
               PolyList& kept, std::vector<Landing>& pieces) {
  while (const PolyRef p = popUsable(faces)) {
    Bounds box;
    box.grow(*p);
    if (otherBox != nullptr && !box.meets(*otherBox, tolerance)) {
      if (rule.keep == Side::Front) kept.add(p);
      continue;
    }
    bool dropped = false;
    filterThrough(tree, Side::Spanning, p, pieces, rule, tolerance, &dropped);
    if (dropped) {
      for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece) kept.add(piece->piece);
    } else if (!pieces.empty()) {
      kept.add(p);
    }
    pieces.clear();
  }
}

// The operand's faces filtered through tree, each kept piece with where it
// lands: the pieces are those insertion would cut from the face on the same
// way down, so that they need not be pushed down the tree a second time.
// faces are usable, and go tail first.
void landFaces(const std::vector<PolyRef>& faces, const BspTree& tree, const FilterRule& rule, float tolerance,
               std::vector<Landing>& landings) {
  for (auto p = faces.rbegin(); p != faces.rend(); ++p) filterThrough(tree, Side::Spanning, *p, landings, rule, tolerance, nullptr);
}

PolyRef reversed(const Poly& poly);

// Puts every landed piece where it landed: into its node's polygons, or
// with the others that reach its cell into that cell, in the order they
// were filtered.
// reaching and pieces are scratch space.
void insertLanded(const std::vector<Landing>& landings, bool reverse, float tolerance,
                  std::vector<std::pair<const BspTree*, std::size_t>>& reaching, std::vector<PolyRef>& pieces) {
  // The pieces that reach cells, grouped by cell and in filtering order
  // within each: sorted by (cell, index), which needs no table of cells.
  for (std::size_t i = 0; i < landings.size(); ++i) {
    const Landing& l = landings[i];
    if (l.lyingIn != nullptr) {
      const_cast<BspNode*>(l.lyingIn)->coplanar->add(reverse ? reversed(*l.piece) : l.piece);
    } else {
      reaching.emplace_back(l.cell, i);
    }
  }
  std::sort(reaching.begin(), reaching.end());
  // Each cell is an empty subtree of tree, which the caller may change, and
  // founding one touches no other.
  for (std::size_t first = 0; first < reaching.size();) {
    const BspTree* cell = reaching[first].first;
    std::size_t next = first;
    for (; next < reaching.size() && reaching[next].first == cell; ++next) {
      const PolyRef& piece = landings[reaching[next].second].piece;
      pieces.push_back(reverse ? reversed(*piece) : piece);
    }
    // As insertion would found it with a list of the pieces added in order.
    foundTree(*const_cast<BspTree*>(cell), pieces, tolerance);
    first = next;
  }
}

PolyRef reversed(const Poly& poly) {
  Point3 ring[kMaxVertexCount];
  std::reverse_copy(poly.vertices, poly.vertices + poly.vertexCount, ring);
  PolyRef r;
  r = new CountedPoly(ring, poly.vertexCount);
  return r;
}

// The usable polygons of list in a new list of the same order; list ends
// empty.
PolyListRef usable(PolyList& list) {
  // The nodes move over as they are: no polygon is popped and pushed twice.
  PolyListRef out;
  PolyNode** link = &out->head;
  *link = list.head;
  list.head = nullptr;
  while (PolyNode* node = *link) {
    if (node->poly->isDegenerate()) {
      *link = node->next;
      delete node;
      continue;
    }
    out->box.grow(node->poly->vertices, node->poly->vertexCount);
    link = &node->next;
  }
  return out;
}

// The plane of a node that relabels the cell on one side of p: p turned
// round and moved off it by margin, away from the cell, so that the whole
// cell, p's own plane included, lies strictly on the node's other side and
// a polygon in p's plane sent into the cell never counts as on it. The
// node's region is the cell, so the plane may lie as far off as it likes.
// Calls visit(node) for every node, pre-order, back before front, without
// recursion: trees may be deep.
template <class Visit>
void forEachNode(const BspTree& tree, Visit visit) {
  std::vector<const BspNode*> pending;
  if (tree.root != nullptr) pending.push_back(tree.root);
  while (!pending.empty()) {
    const BspNode* node = pending.back();
    pending.pop_back();
    visit(*node);
    if (node->front.root != nullptr) pending.push_back(node->front.root);
    if (node->back.root != nullptr) pending.push_back(node->back.root);
  }
}

// A node near the operand with the box of its polygons; a cell near it
// with the planes down to it, whose point is found only if no face of the
// operand reaches it.
struct NearNode {
  BspNode* node;
  Bounds faces;
};
struct NearCell {
  BspNode* node;
  bool back;
  std::size_t lastStep;  // the last step of its path (path_steps.h)
};

// Empties v, keeping its room unless it has grown large: beside the work
// that fills a large one, allocating it anew costs little, and keeping it
// would add to the memory every later operation runs in.
constexpr std::size_t kKeptCapacity = 1024;
template <class T>
void emptied(std::vector<T>& v) {
  if (v.capacity() > kKeptCapacity) {
    std::vector<T>().swap(v);
  } else {
    v.clear();
  }
}

// The working space of combine. It lives from call to call, so that its
// vectors keep their capacity: the CSG runs by the thousand on small
// solids, where growing them anew each time was a good share of the work.
// combine never runs inside itself; each call leaves the space empty, so
// that no polygon is held on to.
struct Scratch {
  std::vector<NearNode> nodes;
  std::vector<NearCell> cells;
  PathSteps paths;
  TreePath path;
  std::vector<PolyRef> faces;
  std::vector<Landing> landings;
  std::vector<Landing> pieces;
  std::vector<std::pair<const BspTree*, std::size_t>> reaching;
  std::vector<PolyRef> cellPieces;

  static Scratch& lease() {
    static Scratch scratch;
    return scratch;
  }
  void clear() {
    emptied(nodes);
    emptied(cells);
    paths.clear(kKeptCapacity);
    emptied(path);
    emptied(faces);
    emptied(landings);
    emptied(pieces);
    emptied(reaching);
    emptied(cellPieces);
  }
};

// Leaves the scratch empty however the call ends.
class ScratchLease {
 public:
  explicit ScratchLease(Scratch& s) : s(s) {}
  ~ScratchLease() { s.clear(); }
  ScratchLease(const ScratchLease&) = delete;
  ScratchLease& operator=(const ScratchLease&) = delete;

 private:
  Scratch& s;
};

Plane relabelling(const Plane& p, bool backCell, float margin) {
  Plane q;
  q.set(-p.x, -p.y, -p.z, static_cast<float>(-double(p.w) + (backCell ? margin : -margin)));
  return q;
}

}  // namespace

void combine(BspTree& tree, PolyListRef operand, CsgOperation operation) {
  const PolyListRef b = usable(*operand);
  Bounds bBox;
  bBox.grow(*b);
  if (tree.isEmpty()) {
    if (operation == CsgOperation::Union) tree.insert(b, Side::Spanning, Side::Spanning, toleranceFor(bBox));
    return;
  }
  if (b->isEmpty()) {
    if (operation == CsgOperation::Intersection) {
      delete tree.root;
      tree.root = nullptr;
    }
    return;
  }
  const OperationRules rules = rulesFor(operation);

  // The nodes whose polygons the operand may change and the cells that may
  // need a new label, found before the operand's faces change the tree.
  // Only what lies near the operand can change, but for an intersection,
  // which may empty any cell; the tolerance follows the model there.
  Bounds everything;
  if (!rules.nearOperandOnly) forEachNode(tree, [&everything](const BspNode& node) { everything.grow(*node.coplanar); });
  const Bounds& probeBox = rules.nearOperandOnly ? bBox : everything;
  const float operandTolerance = toleranceFor(bBox);
  Bounds near = bBox;
  Scratch& scratch = Scratch::lease();
  const ScratchLease lease(scratch);
  std::vector<NearNode>& nodes = scratch.nodes;
  std::vector<NearCell>& cells = scratch.cells;
  PathSteps& paths = scratch.paths;
  auto collect = [&](BspNode& node) {
    Bounds faces;
    faces.grow(*node.coplanar);
    near.grow(faces);
    nodes.push_back({&node, faces});
  };
  auto note = [&](BspNode& node, bool back, const TreePath& path) {
    if (back != rules.insideCells) return;
    cells.push_back({&node, back, paths.add(path)});
  };
  TreePath& path = scratch.path;
  walkNear(tree, rules.nearOperandOnly ? &bBox : nullptr, operandTolerance, path, collect, note);
  const float tolerance = toleranceFor(near);

  BspTree operandTree;
  std::vector<PolyRef>& bFaces = scratch.faces;
  for (const PolyNode* n = b->head; n != nullptr; n = n->next) bFaces.push_back(n->poly);
  operandTree.insert(b, Side::Spanning, Side::Spanning, tolerance);

  std::vector<Landing>& landings = scratch.landings;
  landFaces(bFaces, tree, rules.operandFaces, tolerance, landings);
  std::vector<Landing>& pieces = scratch.pieces;
  for (const NearNode& n : nodes) {
    // Faces all clear of the operand are all outside it: kept whole, or
    // all dropped, without cutting or copying any.
    if (!n.faces.meets(bBox, tolerance)) {
      if (rules.treeFaces.keep != Side::Front) n.node->coplanar = PolyListRef();
      continue;
    }
    PolyListRef kept;
    keepFaces(*n.node->coplanar, operandTree, &bBox, rules.treeFaces, tolerance, *kept, pieces);
    n.node->coplanar = kept;
  }

  insertLanded(landings, rules.reverseOperand, tolerance, scratch.reaching, scratch.cellPieces);

  for (const NearCell& cell : cells) {
    BspTree& sub = cell.back ? cell.node->back : cell.node->front;
    if (!sub.isEmpty()) continue;
    paths.spell(cell.lastStep, path);
    const CellProbe probe = probeCell(*cell.node, cell.back, path, probeBox, 4.0 * operandTolerance);
    if (!probe.found) continue;
    if (applies(operation, cell.back, pointInside(operandTree, probe.point)) != cell.back) {
      // However much later models grow, what lies in the node's own plane
      // stays clear of the new one.
      const float margin = static_cast<float>(std::max(4.0 * tolerance, near.extent()));
      sub.root = new BspNode(relabelling(cell.node->plane, cell.back, margin));
    }
  }
}

PolyListRef solidPolygons(const BspTree& tree) {
  // Added in walk order, then turned round once.
  PolyListRef walked;
  forEachNode(tree, [&walked](const BspNode& node) {
    for (const PolyNode* p = node.coplanar->head; p != nullptr; p = p->next) walked->add(p->poly);
  });
  PolyListRef ordered;
  ordered->appendAll(walked);
  return ordered;
}
