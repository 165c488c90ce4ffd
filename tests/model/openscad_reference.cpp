#include "tests/model/openscad_reference.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>

#include <sys/wait.h>

namespace fs = std::filesystem;

// OpenSCAD gives the same file for the same text, so the output's name
// carries a hash of the text and an output made before is used again: the
// examples' CGAL runs take most of the suite's time, and a changed file
// gets a fresh name. Outputs are written under a temporary name and renamed
// when complete, so that an interrupted run leaves nothing to reuse.
std::string openscadExport(const std::string& name, const std::string& source, const std::string& extension) {
  const fs::path dir = fs::path(KELVANE_BINARY_DIR) / "openscad-reference";
  fs::create_directories(dir);
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016zx", std::hash<std::string>()(source));
  const std::string base = (dir / (name + "-" + hash)).string(), out = base + "." + extension;
  if (fs::exists(out)) return out;
  std::ofstream(base + ".scad") << source;
  const std::string partial = base + ".partial-" + std::to_string(getpid()) + "." + extension;
  const std::string command = "openscad -q -o '" + partial + "' '" + base + ".scad' 2>'" + base + ".log'";
  const int status = std::system(command.c_str());
  if (status != 0) {
    ADD_FAILURE() << (WIFEXITED(status) && WEXITSTATUS(status) == 127
                          ? "openscad is not installed: run scripts/install-deps openscad"
                          : "openscad failed: " + command);
    return "";
  }
  fs::rename(partial, out);
  return out;
}

ReferenceMesh read3mf(const std::string& path) {
  std::string xml;
  if (FILE* pipe = popen(("unzip -p '" + path + "' 3D/3dmodel.model").c_str(), "r")) {
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) xml.append(buffer, n);
    pclose(pipe);
  }
  ReferenceMesh mesh;
  const std::regex vertex(R"re(<vertex x="([^"]+)" y="([^"]+)" z="([^"]+)")re");
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), vertex); it != std::sregex_iterator(); ++it) {
    mesh.points.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3])});
  }
  const std::regex triangle(R"re(<triangle v1="(\d+)" v2="(\d+)" v3="(\d+)")re");
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), triangle); it != std::sregex_iterator(); ++it) {
    const Vec3& a = mesh.points.at(std::stoul((*it)[1]));
    mesh.volume += dot(a, cross(mesh.points.at(std::stoul((*it)[2])), mesh.points.at(std::stoul((*it)[3])))) / 6.0;
  }
  EXPECT_FALSE(mesh.points.empty()) << path << " holds no mesh";
  return mesh;
}
