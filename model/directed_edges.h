// The directed edges of a set of faces, counted: a closed, consistently
// oriented 2-manifold uses every edge once in each direction.
#ifndef KELVANE_MODEL_DIRECTED_EDGES_H
#define KELVANE_MODEL_DIRECTED_EDGES_H

#include <cstdint>
#include <unordered_map>
#include <vector>

// A face is a ring of vertex indices.
using FaceRing = std::vector<std::uint32_t>;

struct DirectedEdge {
  std::uint32_t from;
  std::uint32_t to;
};

class DirectedEdges {
 public:
  // Counts every edge (ring[i], ring[i + 1]) of every face, the closing one
  // included.
  explicit DirectedEdges(const std::vector<FaceRing>& faces);

  // How many faces run from `from` to `to`.
  int count(std::uint32_t from, std::uint32_t to) const;

  // The edges used a number of times other than once, or whose reverse is,
  // in the order the faces give them.
  std::vector<DirectedEdge> unpaired(const std::vector<FaceRing>& faces) const;

 private:
  std::unordered_map<std::uint64_t, int> counts_;
};

#endif
