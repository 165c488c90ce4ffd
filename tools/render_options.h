// The command line of kelvane-render: where the frames go and the input the
// program is given, in the order the options name it.
#ifndef KELVANE_TOOLS_RENDER_OPTIONS_H
#define KELVANE_TOOLS_RENDER_OPTIONS_H

#include <string>
#include <vector>

constexpr int kDefaultMoves = 8;
constexpr int kMaxMoves = 10000;

struct RenderStep {
  enum Kind { Drag, Deactivate, Activate };
  Kind kind;
  // For a drag: press at (x0, y0), `moves` evenly spaced moves ending at
  // (x1, y1), release there.
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  int moves = kDefaultMoves;
};

struct RenderOptions {
  std::string outDir;
  std::string gifPath;  // empty: no animation
  std::string exportPath;  // empty: no mesh file
  std::string scenePath;  // empty: the built-in scene
  std::vector<RenderStep> steps;
  bool help = false;
};

// Parses argv[1..]. On a bad command line returns false with `error` set to
// a message that names the offending argument.
bool parseRenderOptions(int argc, const char* const* argv, RenderOptions& options, std::string& error);

const char* renderUsage();

#endif
