// Reads back what the exporter wrote, without any of its code, and measures
// it: vertices are told apart by their exact coordinates only, as a
// program that opens the file without repairing it would.
#ifndef KELVANE_TESTS_MODEL_MESH_FILE_H
#define KELVANE_TESTS_MODEL_MESH_FILE_H

#include <array>
#include <string>
#include <vector>

using Corner = std::array<float, 3>;

struct MeshFile {
  std::vector<Corner> vertices;
  std::vector<std::vector<int>> faces;  // rings of indices into vertices
  std::vector<Corner> stlNormals;       // one per face, STL only
};

// Binary STL; false with ADD_FAILURE when the file is malformed.
bool readStl(const std::string& path, MeshFile& mesh);
bool readObj(const std::string& path, MeshFile& mesh);

struct MeshFacts {
  int vertices = 0;
  int edges = 0;
  int faces = 0;
  int edgesNotPaired = 0;     // not used exactly once each way
  int tJunctions = 0;         // vertices inside an edge of a face not through them
  int zeroAreaFaces = 0;
  int normalsOff = 0;         // STL normals more than 1e-3 from their triangle's
  double volume = 0.0;        // by the divergence theorem over the faces
  int euler() const { return vertices - edges + faces; }
};

// tJunctions are looked for, edge against every vertex, only in meshes of
// up to tJunctionLimit vertices; paired edges already rule them out.
MeshFacts examine(const MeshFile& mesh, int tJunctionLimit = 5000);

// admesh's report on an STL file: the counts of its repairs and findings.
struct AdmeshReport {
  int disconnectedFacets = -1;
  int degenerateFacets = -1;
  int edgesFixed = -1;
  int facetsRemoved = -1;
  int facetsAdded = -1;
  int facetsReversed = -1;
  int backwardsEdges = -1;
  int normalsFixed = -1;
  std::string text;
};

AdmeshReport runAdmesh(const std::string& stlPath);

#endif
