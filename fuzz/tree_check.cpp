// Trees built and combined from fuzz input. A session reads commands (insert
// a fresh list with any keep and side codes; filter a polygon or a list into
// a result; reduce) and after each one checks the tree's invariants
// (tree_invariants.h), that every polygon's count matches the handles that
// hold it, and the contract of the command just run: what a list given away
// looks like afterwards, where filtered pieces ended. At the end the tree and
// every list are freed and each polygon the session made must be back to the
// session's single hold.
#include <memory>
#include <set>

#include "bsp/bsp_tree.h"
#include "fuzz/checks.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/invariant.h"
#include "fuzz/polygon_source.h"
#include "fuzz/tree_invariants.h"

namespace {

// Bounds on one input, which keep a run fast and the tree shallow.
constexpr int kMaxCommands = 24;
constexpr int kMaxPolygons = 96;
constexpr int kMaxListLength = 10;

int length(const PolyList& list) {
  int n = 0;
  for (const PolyNode* p = list.head; p != nullptr; p = p->next) ++n;
  return n;
}

class TreeSession {
 public:
  TreeSession(FuzzInput& input, bool filtering)
      : in(input), source(input, 80, 8, (input.byte() & 3) == 0), filtering(filtering) {}

  void run() {
    for (int i = 0; i < kMaxCommands && !in.empty() && int(source.made().size()) < kMaxPolygons; ++i) {
      const int command = in.byte() % (filtering ? 5 : 2);
      switch (command) {
        case 0: insert(); break;
        case 1: tree = std::make_unique<BspTree>(); insert(); break;
        case 2: pushPoly(); break;
        case 3: pushList(); break;
        default: reduce(); break;
      }
      verify();
    }
    finish();
  }

 private:
  // Any Side value, and now and then one outside the four codes.
  Side code() {
    const std::uint8_t b = in.byte();
    return static_cast<Side>(b < 240 ? b % 4 - 1 : b % 7 - 3);
  }

  PolyListRef freshList() {
    PolyListRef list;
    const int n = in.range(0, kMaxListLength);
    for (int i = 0; i < n; ++i) list->add(source.next());
    return list;
  }

  // An empty tree discards a list whole, untouched, unless it keeps it.
  void requireConsumed(const PolyListRef& list, int before, bool wasEmpty, bool kept) {
    require(list->refCount == 1, "the tree kept a handle to the caller's list");
    if (wasEmpty && !kept) {
      require(length(*list) == before, "a discarded list was changed");
      leftOver.push_back(list);
    } else {
      require(list->isEmpty() == 1, "a list given to the tree was not consumed");
    }
  }

  void insert() {
    const PolyListRef list = freshList();
    const Side keep = code();
    const Side side = code();
    const int before = length(*list);
    const bool wasEmpty = tree->isEmpty();
    tree->insert(list, keep, side);
    requireConsumed(list, before, wasEmpty, keep == side || keep == Side::Spanning);
  }

  void requireNewResultsKept(int before, Side keep, Side side) {
    int added = length(*result) - before;
    for (const PolyNode* p = result->head; added > 0; p = p->next, --added) {
      requireKeptPlacement(*tree, *p->poly, keep, side, geometry());
    }
  }

  void pushPoly() {
    const PolyRef poly = source.next();
    const Side keep = code();
    const Side side = code();
    const int before = length(*result);
    tree->pushPoly(poly, result, keep, side);
    requireNewResultsKept(before, keep, side);
  }

  void pushList() {
    const PolyListRef list = freshList();
    const Side keep = code();
    const Side side = code();
    const int listBefore = length(*list);
    const int before = length(*result);
    const bool wasEmpty = tree->isEmpty();
    tree->pushList(list, result, keep, side);
    requireConsumed(list, listBefore, wasEmpty, keep == side);
    requireNewResultsKept(before, keep, side);
  }

  void reduce() {
    HolderCensus ignored;
    const std::size_t nodes = checkTree(*tree, ignored, geometry());
    tree->reduce();
    HolderCensus after;
    require(checkTree(*tree, after, geometry()) == nodes, "reduce added or removed nodes");
  }

  void verify() {
    HolderCensus census;
    checkTree(*tree, census, geometry());
    countHolders(*result, census);
    for (const PolyListRef& list : leftOver) countHolders(*list, census);
    std::set<const CountedPoly*> made;
    for (const PolyRef& p : source.made()) {
      made.insert(p.get());
      census.emplace(p.get(), 0);
    }
    requireCounts(census, [&made](const CountedPoly* p) { return made.count(p) != 0 ? 1 : 0; });
  }

  GeometryCheck geometry() const { return {!source.madeIrregular(), source.scale()}; }

  void finish() {
    tree.reset();
    result = PolyListRef();
    leftOver.clear();
    source.release();
  }

  FuzzInput& in;
  PolygonSource source;
  bool filtering;
  std::unique_ptr<BspTree> tree = std::make_unique<BspTree>();
  PolyListRef result;
  std::vector<PolyListRef> leftOver;
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
