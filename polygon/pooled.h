// Objects of a class deriving from Pooled<T> are allocated from a list of
// freed blocks of their size before the heap is asked: a tree build makes
// and drops list nodes and polygons by the hundred, and each would otherwise
// cost a trip through malloc and free. Freed blocks wait on the list for the
// next object and are not returned to the system; the list, held in a
// static, keeps every one of them reachable until exit. Under the address
// sanitizer a waiting block is poisoned but for its link, so that a use
// after free is still caught.
#ifndef KELVANE_POLYGON_POOLED_H
#define KELVANE_POLYGON_POOLED_H

#include <cstddef>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

template <class T>
class Pooled {
 public:
  static void* operator new(std::size_t size) {
    static_assert(sizeof(T) >= sizeof(Block), "a waiting block holds the link to the next");
    if (size != sizeof(T) || spare == nullptr) return ::operator new(size);
    Block* block = spare;
    setWaiting(block, false);
    spare = block->next;
    return block;
  }

  static void operator delete(void* p, std::size_t size) {
    if (p == nullptr) return;
    if (size != sizeof(T)) {
      ::operator delete(p);
      return;
    }
    Block* block = static_cast<Block*>(p);
    block->next = spare;
    spare = block;
    setWaiting(block, true);
  }

 private:
  struct Block {
    Block* next;
  };

  // The link stays readable: the leak checker follows it to the blocks
  // behind, and skips what is poisoned.
  static void setWaiting(Block* block, bool waiting) {
#if defined(__SANITIZE_ADDRESS__)
    if (waiting) {
      __asan_poison_memory_region(block + 1, sizeof(T) - sizeof(Block));
    } else {
      __asan_unpoison_memory_region(block + 1, sizeof(T) - sizeof(Block));
    }
#else
    (void)block;
    (void)waiting;
#endif
  }

  static inline Block* spare = nullptr;
};

#endif
