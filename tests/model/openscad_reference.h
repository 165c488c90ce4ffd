// OpenSCAD itself as the reference for the tests: a scene is exported by
// the real program, and its output read back here independently of the
// readers under test.
#ifndef KELVANE_TESTS_MODEL_OPENSCAD_REFERENCE_H
#define KELVANE_TESTS_MODEL_OPENSCAD_REFERENCE_H

#include <string>
#include <vector>

#include "model/mesh.h"

// Runs openscad (from the PATH) on source (a .scad text) and returns the
// path of the file it wrote, named name.extension in the test's output
// folder. Fails the test (and returns "") when openscad fails or is missing.
std::string openscadExport(const std::string& name, const std::string& source, const std::string& extension);

// The corners of every facet of an ASCII STL file, as printed.
std::vector<Vec3> stlCorners(const std::string& path);

// The volume of the mesh in a 3MF file (its coordinates keep six decimals,
// where STL keeps six digits).
double volumeOf3mf(const std::string& path);

#endif
