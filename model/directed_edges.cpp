#include "model/directed_edges.h"

namespace {

std::uint64_t key(std::uint32_t from, std::uint32_t to) { return (std::uint64_t(from) << 32) | to; }

// Calls visit(from, to) for every edge of every face.
template <class Visit>
void forEachEdge(const std::vector<FaceRing>& faces, Visit visit) {
  for (const FaceRing& ring : faces) {
    for (std::size_t i = 0; i < ring.size(); ++i) visit(ring[i], ring[(i + 1) % ring.size()]);
  }
}

}  // namespace

DirectedEdges::DirectedEdges(const std::vector<FaceRing>& faces) {
  forEachEdge(faces, [this](std::uint32_t from, std::uint32_t to) { ++counts_[key(from, to)]; });
}

int DirectedEdges::count(std::uint32_t from, std::uint32_t to) const {
  const auto found = counts_.find(key(from, to));
  return found == counts_.end() ? 0 : found->second;
}

std::vector<DirectedEdge> DirectedEdges::unpaired(const std::vector<FaceRing>& faces) const {
  std::vector<DirectedEdge> edges;
  forEachEdge(faces, [&](std::uint32_t from, std::uint32_t to) {
    if (count(from, to) != 1 || count(to, from) != 1) edges.push_back({from, to});
  });
  return edges;
}
