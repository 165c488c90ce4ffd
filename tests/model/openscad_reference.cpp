#include "tests/model/openscad_reference.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include <sys/wait.h>

namespace {

std::string outputFolder() {
  const auto dir = std::filesystem::path(KELVANE_BINARY_DIR) / "openscad-reference";
  std::filesystem::create_directories(dir);
  return dir.string();
}

std::string commandOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

}  // namespace

std::string openscadExport(const std::string& name, const std::string& source, const std::string& extension) {
  const std::string base = outputFolder() + "/" + name;
  std::ofstream(base + ".scad") << source;
  const std::string out = base + "." + extension;
  const std::string command = "openscad -q -o '" + out + "' '" + base + ".scad' 2>'" + base + ".log'";
  const int status = std::system(command.c_str());
  if (status != 0) {
    ADD_FAILURE() << (WIFEXITED(status) && WEXITSTATUS(status) == 127
                          ? "openscad is not installed: run scripts/install-deps openscad"
                          : "openscad failed: " + command);
    return "";
  }
  return out;
}

std::vector<Vec3> stlCorners(const std::string& path) {
  std::ifstream in(path);
  std::vector<Vec3> corners;
  std::string word;
  while (in >> word) {
    if (word != "vertex") continue;
    Vec3 p;
    in >> p.x >> p.y >> p.z;
    corners.push_back(p);
  }
  return corners;
}

double volumeOf3mf(const std::string& path) {
  const std::string xml = commandOutput("unzip -p '" + path + "' 3D/3dmodel.model");
  std::vector<Vec3> points;
  const std::regex vertex(R"re(<vertex x="([^"]+)" y="([^"]+)" z="([^"]+)")re");
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), vertex); it != std::sregex_iterator(); ++it) {
    points.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3])});
  }
  double sixTimes = 0.0;
  const std::regex triangle(R"re(<triangle v1="(\d+)" v2="(\d+)" v3="(\d+)")re");
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), triangle); it != std::sregex_iterator(); ++it) {
    const Vec3& a = points.at(std::stoul((*it)[1]));
    sixTimes += dot(a, cross(points.at(std::stoul((*it)[2])), points.at(std::stoul((*it)[3]))));
  }
  EXPECT_FALSE(points.empty()) << path << " holds no mesh";
  return sixTimes / 6.0;
}
