#ifndef KELVANE_POLYGON_POLY_LIST_REF_H
#define KELVANE_POLYGON_POLY_LIST_REF_H

#include "polygon/counted_ref.h"
#include "polygon/poly_list.h"

// A counted handle to a PolyList. It is never empty: a new handle makes a
// new empty list, and the last handle to go clears and frees the list.
class PolyListRef : public CountedRef<PolyList> {
 public:
  PolyListRef() : CountedRef(new PolyList) {}
  PolyListRef(const PolyListRef& other) = default;

  PolyListRef& operator=(const PolyListRef& other) {
    reset(other.get());
    return *this;
  }
};

#endif
