#ifndef KELVANE_BSP_BSP_NODE_H
#define KELVANE_BSP_BSP_NODE_H

#include "bsp/bsp_tree.h"
#include "bsp/side.h"
#include "polygon/plane.h"
#include "polygon/poly_list_ref.h"
#include "polygon/pooled.h"

class BspNode : public Pooled<BspNode> {
 public:
  Plane plane;           // copied from the founding polygon's plane
  PolyListRef coplanar;  // polygons in the plane, either way round, newest first
  BspTree back;          // behind the plane
  BspTree front;         // in front of it
  // Placed by buildBalanced to balance the tree: founded by no polygon, so
  // a polygon lying in its plane passes on to the front subtree.
  bool balancing = false;

  // A node on founder's plane, holding founder.
  explicit BspNode(const PolyRef& founder);
  // A node on onPlane holding no polygon. Standing in a cell with the plane
  // of the cell's parent turned round, it turns the cell from inside to
  // outside or back (csg.h).
  explicit BspNode(const Plane& onPlane);
  BspNode(const BspNode&) = delete;
  BspNode& operator=(const BspNode&) = delete;

  // Sorts list by the plane (consuming it), then serves back, then front.
  void insert(PolyList& list, Side keep, float tolerance);
  void pushPoly(const PolyRef& poly, PolyList& result, Side keep, float tolerance) const;
  void pushList(PolyList& list, PolyList& result, Side keep, float tolerance) const;
  void reduce();
  void draw(const Point3& eye) const;

  // Where a polygon lying in the plane goes when it is sorted here: into
  // on, or for a balancing node into front.
  PolyList& onPlane(PolyList& on, PolyList& front) const { return balancing ? front : on; }
};

#endif
