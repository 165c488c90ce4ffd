// A singly linked stack of shared polygons: add pushes at the head and pop
// takes from the head, so every walk visits the newest polygon first. The
// order of a list decides the shape of every tree built from it.
#ifndef KELVANE_POLYGON_POLY_LIST_H
#define KELVANE_POLYGON_POLY_LIST_H

#include <cstdint>

#include "polygon/bounding_box.h"
#include "polygon/poly_ref.h"
#include "polygon/pooled.h"

class PolyListRef;

struct PolyNode : Pooled<PolyNode> {
  PolyRef poly;
  PolyNode* next = nullptr;
};

class PolyList : public Pooled<PolyList> {
 public:
  PolyNode* head = nullptr;
  BoundingBox box;
  std::uint8_t refCount = 0;

  PolyList() = default;
  ~PolyList() { clear(); }
  PolyList(const PolyList&) = delete;
  PolyList& operator=(const PolyList&) = delete;

  // Pushes r's polygon (one more reference) at the head and grows the box by
  // its vertices. r must hold a polygon.
  void add(const PolyRef& r);

  // Takes the head polygon off, its reference passing to the result; an
  // empty handle when the list is empty. The box is not touched.
  PolyRef pop();

  // Moves every polygon of other to the head of this list, one by one, so
  // the moved run ends up reversed; other ends empty. Appending a list to
  // itself changes nothing.
  void appendAll(PolyListRef& other);

  // 1 when the list holds no polygon, else 0.
  int isEmpty() const { return head == nullptr ? 1 : 0; }

  // Releases every polygon and frees every node; the box keeps its extent.
  void clear();
};

#endif
