// Trees built and combined from fuzz input. A session reads commands (insert
// a fresh list with any keep and side codes; filter a polygon or a list into
// a result; reduce) and after each one checks the tree's invariants
// (tree_invariants.h) with every other holder of the polygons counted, and
// the contract of the command just run: what a list given away looks like
// afterwards, where filtered pieces ended. At the end the tree and every list
// are freed and each polygon the session made must be back to the session's
// single hold.
#include <memory>

#include "bsp/bsp_tree.h"
#include "fuzz/checks.h"
#include "fuzz/polygon_source.h"
#include "fuzz/tree_invariants.h"

namespace {

class TreeSession {
 public:
  TreeSession(FuzzInput& input, bool filtering)
      : in(input), source{input, 80, 8, (input.byte() & 3) == 0}, filtering(filtering) {}

  void run() {
    std::size_t nodes = 0;
    // Bounds on one input, which keep a run fast and the tree shallow.
    for (int i = 0; i < 24 && !in.empty() && source.made.size() < 96; ++i) {
      const int command = in.byte() % (filtering ? 5 : 2);
      if (command == 1) {
        tree = std::make_unique<BspTree>();
        founders.clear();
      }
      if (command < 4) give(command);
      if (command == 4) tree->reduce();
      HolderCensus census;
      const std::size_t before = nodes;
      nodes = checkTree(*tree, census, founders, geometry());
      require(command != 4 || nodes == before, "reduce added or removed nodes");
      countHolders(*result, census);
      requireCounts(census, source.made);
    }
    tree.reset();
    result = PolyListRef();
    source.release();
  }

 private:
  // Any Side value, and now and then one outside the four codes.
  Side code() {
    const std::uint8_t b = in.byte();
    return static_cast<Side>(b < 240 ? b % 4 - 1 : b % 7 - 3);
  }

  GeometryCheck geometry() const { return {!source.irregular && !source.wild, source.largest * 1e-6}; }

  // Hands the tree fresh polygons: a list inserted (commands 0 and 1), a
  // polygon (2) or a list (3) filtered into the result. An empty tree
  // discards a list whole, untouched, unless it keeps it; any other list is
  // consumed.
  void give(int command) {
    const bool inserting = command < 2;
    const PolyRef poly = command == 2 ? source.next() : PolyRef();
    PolyListRef list;
    for (int i = command == 2 ? 0 : in.range(0, 10); i > 0; --i) list->add(source.next());
    const Side keep = code(), side = code();
    const PolyNode* const head = list->head;
    const PolyNode* const resultHead = result->head;
    const bool wasEmpty = tree->isEmpty();
    if (inserting) tree->insert(list, keep, side);
    if (command == 2) tree->pushPoly(poly, result, keep, side);
    if (command == 3) tree->pushList(list, result, keep, side);
    require(list->refCount == 1, "the tree kept a handle to the caller's list");
    const bool discarded = wasEmpty && keep != side && (!inserting || keep != Side::Spanning);
    require(discarded ? list->head == head : list->isEmpty() == 1, "a list given to the tree was changed wrongly");
    // The result grows at its head.
    for (const PolyNode* p = result->head; p != nullptr && p != resultHead; p = p->next) {
      requireKeptPlacement(*tree, *p->poly, keep, side, geometry());
    }
  }

  FuzzInput& in;
  PolygonSource source;
  bool filtering;
  std::unique_ptr<BspTree> tree = std::make_unique<BspTree>();
  FounderSlack founders;
  PolyListRef result;
};

}  // namespace

void checkTreeInsert(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  TreeSession(in, false).run();
}

void checkTreeFilter(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  TreeSession(in, true).run();
}
