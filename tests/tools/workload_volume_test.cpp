// Every shipped workload's result against a volume worked out without the
// core: each solid of the shipped workloads is convex (boxes, prisms, UV
// spheres), so a chain of unions and differences expands, by inclusion and
// exclusion, into a signed sum of intersections of its solids, and each
// intersection is one convex polytope, clipped plane by plane here in double
// precision. That is exact for the polyhedra the files hold, spheres
// included: they are compared as the polygons they are, not as round balls.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench/csg/measurement.h"
#include "tests/tools/workload_solids.h"

namespace {

using P3 = std::array<double, 3>;
using Ring = std::vector<P3>;

P3 minus(const P3& a, const P3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
P3 cross(const P3& a, const P3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double dot(const P3& a, const P3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

struct HalfSpace {
  P3 normal;  // outward
  double offset;
  double at(const P3& p) const { return dot(normal, p) - offset; }
};

struct Polytope {
  std::vector<Ring> faces;
  P3 lo{HUGE_VAL, HUGE_VAL, HUGE_VAL};
  P3 hi{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};

  void close() {
    for (const Ring& f : faces) {
      for (const P3& p : f) {
        for (int a = 0; a < 3; ++a) {
          lo[a] = std::min(lo[a], p[a]);
          hi[a] = std::max(hi[a], p[a]);
        }
      }
    }
  }
  bool meets(const Polytope& o) const {
    for (int a = 0; a < 3; ++a) {
      if (lo[a] >= o.hi[a] || o.lo[a] >= hi[a]) return false;
    }
    return true;
  }
};

HalfSpace halfSpaceOf(const Ring& f) {
  P3 n{0, 0, 0};
  for (std::size_t i = 0; i < f.size(); ++i) {
    const P3 c = cross(f[i], f[(i + 1) % f.size()]);
    for (int a = 0; a < 3; ++a) n[a] += c[a];
  }
  const double len = std::sqrt(dot(n, n));
  for (double& c : n) c /= len;
  return {n, dot(n, f[0])};
}

double volumeOf(const Polytope& p) {
  double v = 0;
  for (const Ring& f : p.faces) {
    for (std::size_t i = 1; i + 1 < f.size(); ++i) v += dot(f[0], cross(f[i], f[i + 1]));
  }
  return v / 6;
}

// The part of p behind h, its cut closed by a cap ordered round h's normal.
Polytope clip(const Polytope& p, const HalfSpace& h) {
  const double scale = std::max({std::fabs(p.lo[0]), std::fabs(p.hi[0]), std::fabs(p.lo[1]), std::fabs(p.hi[1]),
                                 std::fabs(p.lo[2]), std::fabs(p.hi[2]), 1.0});
  const double eps = 1e-12 * scale;
  // Wholly behind or wholly beyond: a face lying in h must not be capped
  // a second time.
  bool beyond = false;
  bool behind = false;
  for (const Ring& f : p.faces) {
    for (const P3& v : f) {
      beyond = beyond || h.at(v) > eps;
      behind = behind || h.at(v) < -eps;
    }
  }
  if (!beyond) return p;
  Polytope out;
  if (!behind) return out;
  Ring cap;
  for (const Ring& f : p.faces) {
    Ring kept;
    for (std::size_t i = 0; i < f.size(); ++i) {
      const P3& a = f[i];
      const P3& b = f[(i + 1) % f.size()];
      const double sa = h.at(a), sb = h.at(b);
      if (sa <= eps) kept.push_back(a);
      if (std::fabs(sa) <= eps) cap.push_back(a);
      if ((sa < -eps && sb > eps) || (sa > eps && sb < -eps)) {
        const double t = sa / (sa - sb);
        const P3 x{a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1]), a[2] + t * (b[2] - a[2])};
        kept.push_back(x);
        cap.push_back(x);
      }
    }
    if (kept.size() >= 3) out.faces.push_back(kept);
  }
  if (cap.size() >= 3) {
    P3 centre{0, 0, 0};
    for (const P3& c : cap) {
      for (int a = 0; a < 3; ++a) centre[a] += c[a] / double(cap.size());
    }
    const P3 u = minus(cap[0], centre);
    const P3 w = cross(h.normal, u);
    std::sort(cap.begin(), cap.end(), [&](const P3& l, const P3& r) {
      return std::atan2(dot(minus(l, centre), w), dot(minus(l, centre), u)) <
             std::atan2(dot(minus(r, centre), w), dot(minus(r, centre), u));
    });
    out.faces.push_back(cap);
  }
  out.close();
  return out;
}

Polytope polytopeOf(const Solid& solid) {
  Polytope p;
  for (const PolygonRing& ring : solid.polygons) {
    Ring f;
    for (const Vertex& v : ring.vertices) f.push_back({v[0], v[1], v[2]});
    p.faces.push_back(f);
  }
  p.close();
  return p;
}

// Closed and bent outwards at every edge: the face across each edge lies
// behind this face's plane. A closed surface that is convex at every edge
// bounds a convex solid, and checking edges alone keeps a sphere of 32,768
// faces quick.
bool isConvex(const Polytope& p) {
  std::map<std::pair<P3, P3>, std::size_t> faceOfEdge;
  for (std::size_t i = 0; i < p.faces.size(); ++i) {
    const Ring& f = p.faces[i];
    for (std::size_t k = 0; k < f.size(); ++k) faceOfEdge[{f[k], f[(k + 1) % f.size()]}] = i;
  }
  for (const Ring& f : p.faces) {
    const HalfSpace h = halfSpaceOf(f);
    for (std::size_t k = 0; k < f.size(); ++k) {
      const auto across = faceOfEdge.find({f[(k + 1) % f.size()], f[k]});
      if (across == faceOfEdge.end()) return false;
      for (const P3& v : p.faces[across->second]) {
        if (h.at(v) > 1e-6) return false;
      }
    }
  }
  return true;
}

// Clips the one of more faces by the planes of the other: each clip copies
// what is left, so that order keeps a sphere minus a box linear.
Polytope intersection(const Polytope& a, const Polytope& b) {
  const bool aLarger = a.faces.size() >= b.faces.size();
  Polytope r = aLarger ? a : b;
  for (const Ring& f : (aLarger ? b : a).faces) {
    if (r.faces.empty()) break;
    r = clip(r, halfSpaceOf(f));
  }
  return r;
}

struct Term {
  double sign;
  Polytope body;
};

// The chain's result as a signed sum of convex intersections; false when
// the workload is not a chain of convex solids, which none shipped is.
bool expand(const Workload& w, std::vector<Term>& terms) {
  std::vector<Polytope> solids;
  for (const Solid& s : w.solids) {
    solids.push_back(polytopeOf(s));
    if (!isConvex(solids.back())) return false;
  }
  for (const Operation& op : w.ops) {
    if (op.right.isPreviousResult()) return false;
    if (!op.left.isPreviousResult()) terms = {{1.0, solids[op.left.solid]}};
    const Polytope& b = solids[op.right.solid];
    std::vector<Term> meet;
    for (const Term& t : terms) {
      if (!t.body.meets(b)) continue;
      Polytope common = intersection(t.body, b);
      if (!common.faces.empty()) meet.push_back({-t.sign, std::move(common)});
    }
    switch (op.kind) {
      case OpKind::Union:
        terms.push_back({1.0, b});
        break;
      case OpKind::Subtract:
        break;
      case OpKind::Intersect:
        terms.clear();
        for (Term& t : meet) t.sign = -t.sign;
        break;
    }
    terms.insert(terms.end(), meet.begin(), meet.end());
  }
  return true;
}

double expectedVolume(const Workload& w) {
  std::vector<Term> terms;
  if (!expand(w, terms)) return NAN;
  double v = 0;
  for (const Term& t : terms) v += t.sign * volumeOf(t.body);
  return v;
}

std::vector<std::filesystem::path> shippedWorkloads() {
  const auto dir = std::filesystem::path(KELVANE_SOURCE_DIR) / ".." / "shared" / "workloads";
  std::vector<std::filesystem::path> files;
  if (std::filesystem::is_directory(dir)) {
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
      if (e.path().extension() == ".json") files.push_back(e.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The checker itself, on solids whose volumes are known in closed form.
TEST(ConvexExpansion, GivesKnownVolumes) {
  const std::pair<std::vector<Step>, double> cases[] = {
      {{{OpKind::Union, 0, 1}}, 15},      // 8 + 8 - 1
      {{{OpKind::Subtract, 0, 1}}, 7},    // 8 - 1
      {{{OpKind::Intersect, 0, 1}}, 1},   // the shared unit cube
      {{{OpKind::Subtract, 0, 1}, {OpKind::Union, -1, 1}}, 15},
  };
  for (const auto& [steps, volume] : cases) {
    const Workload w = chainOf({solidOf(box(0, 0, 0, 2, 2, 2)), solidOf(box(1, 1, 1, 3, 3, 3))}, steps);
    EXPECT_NEAR(expectedVolume(w), volume, 1e-12) << steps.size() << " steps, the first " << int(steps[0].kind);
  }
}

TEST(ShippedWorkloads, ResultsHaveTheirExactVolumeInBoundedMemory) {
  const auto files = shippedWorkloads();
  if (files.empty()) GTEST_SKIP() << "no shared workloads next to the repository";
  for (const auto& file : files) {
    SCOPED_TRACE(file.filename().string());
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizers slow the large workloads down past any test's patience,
    // reading included; the small ones take the same paths.
    if (std::filesystem::file_size(file) > 100000) continue;
#endif
    const Workload w = loadWorkload(file.string());
    if (!checkLimits(w).refusal.empty()) continue;
    const double expected = expectedVolume(w);
    ASSERT_FALSE(std::isnan(expected)) << "not a chain of convex solids";
    RepetitionPolicy once;
    once.minReps = once.maxReps = 1;
    const Measurement m = measure(w, once);
    // Float corners put the seams of fine spheres and cylinders a few
    // roundings off the exact ones: 1e-7 of the volume, where a cut that
    // bends by the on-plane tolerance at shallow seams moved 3e-6.
    EXPECT_NEAR(m.volume, expected, 5e-7 * std::fabs(expected));
#if !defined(__SANITIZE_ADDRESS__)
    // What a run makes resident, against what its polygons need; the
    // allowance covers the allocator's own arenas on small workloads.
    EXPECT_LE(m.peakKib, 4 * m.polygonKib + 2048);
#endif
  }
}

}  // namespace
