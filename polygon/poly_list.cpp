#include "polygon/poly_list.h"

#include "polygon/fatal.h"
#include "polygon/poly_list_ref.h"

void PolyList::add(const PolyRef& r) {
  if (!r) fatal("an empty polygon handle was added to a list");
  PolyNode* node = new PolyNode;
  node->poly = r;
  node->next = head;
  head = node;
  box.grow(r->vertices, r->vertexCount);
}

PolyRef PolyList::pop() {
  if (head == nullptr) return PolyRef();
  PolyNode* node = head;
  PolyRef r = node->poly;
  head = node->next;
  delete node;
  return r;
}

void PolyList::appendAll(PolyListRef& other) {
  if (other.get() == this) return;
  while (PolyRef r = other->pop()) add(r);
}

void PolyList::clear() {
  while (head != nullptr) {
    PolyNode* node = head;
    head = node->next;
    delete node;
  }
}
