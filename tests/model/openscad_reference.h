// OpenSCAD itself as the reference for the tests: a scene is exported by
// the real program, and its output read back here independently of the
// readers under test.
#ifndef KELVANE_TESTS_MODEL_OPENSCAD_REFERENCE_H
#define KELVANE_TESTS_MODEL_OPENSCAD_REFERENCE_H

#include <string>
#include <vector>

#include "model/mesh.h"

// Runs openscad (from the PATH) on source (a .scad text) and returns the
// path of the file it wrote, named after name, source and extension in the
// test's output folder. Fails the test (and returns "") when openscad fails
// or is missing.
std::string openscadExport(const std::string& name, const std::string& source, const std::string& extension);

// The mesh in a 3MF file: its points, which keep six decimals (where STL
// keeps six digits), and the volume it encloses.
struct ReferenceMesh {
  std::vector<Vec3> points;
  double volume = 0.0;
};
ReferenceMesh read3mf(const std::string& path);

#endif
