// The intrusive 8-bit reference counting shared by PolyRef and PolyListRef.
// The target carries a public std::uint8_t refCount that only these handles
// touch; the last handle to let go deletes the target.
//
// A count cannot be allowed to wrap: 256 holders would read as 0 and the
// next release would free an object that 255 handles still point to. Taking
// a 256th hold therefore ends the program (fatal.h) instead.
#ifndef KELVANE_POLYGON_COUNTED_REF_H
#define KELVANE_POLYGON_COUNTED_REF_H

#include <cstdint>

#include "polygon/fatal.h"

constexpr int kMaxRefCount = 255;

template <class T>
class CountedRef {
 public:
  T* get() const { return target; }
  T* operator->() const { return target; }
  T& operator*() const { return *target; }
  explicit operator bool() const { return target != nullptr; }

 protected:
  CountedRef() = default;
  explicit CountedRef(T* t) : target(t) { hold(t); }
  CountedRef(const CountedRef& other) : target(other.target) { hold(target); }
  // Takes other's hold over and leaves other empty: no count changes.
  CountedRef(CountedRef&& other) noexcept : target(other.target) { other.target = nullptr; }
  ~CountedRef() { letGo(target); }

  // Holds t (which may be null) instead of the present target. The new hold
  // is taken before the old one is dropped, so re-pointing at the same
  // target never frees it and leaves its count as it was.
  void reset(T* t) {
    if (t == target) return;
    hold(t);
    T* old = target;
    target = t;
    letGo(old);
  }

 private:
  static void hold(T* t) {
    if (t == nullptr) return;
    if (t->refCount == kMaxRefCount) fatal("more than 255 handles on one polygon or list");
    ++t->refCount;
  }
  static void letGo(T* t) {
    if (t == nullptr) return;
    if (t->refCount == 0) fatal("handle released an object it did not hold");
    if (--t->refCount == 0) delete t;
  }

  T* target = nullptr;
};

#endif
