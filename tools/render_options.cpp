#include "tools/render_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/host/host.h"

namespace {

// A whole decimal integer in [low, high], nothing else.
bool parseInt(const std::string& text, int low, int high, int& value) {
  if (text.empty() || std::strchr("+-0123456789", text[0]) == nullptr) return false;
  errno = 0;
  char* end = nullptr;
  const long parsed = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
  value = static_cast<int>(parsed);
  return true;
}

bool parsePixel(const std::string& text, int& x, int& y, std::string& error) {
  const auto comma = text.find(',');
  if (comma == std::string::npos) {
    error = "'" + text + "' is not a pixel X,Y";
    return false;
  }
  const std::string xs = text.substr(0, comma);
  const std::string ys = text.substr(comma + 1);
  int dummy = 0;
  if (!parseInt(xs, -2147483647, 2147483647, dummy) || !parseInt(ys, -2147483647, 2147483647, dummy)) {
    error = "'" + text + "' is not a pixel X,Y of two integers";
    return false;
  }
  if (!parseInt(xs, 0, platform::kScreenWidth - 1, x) || !parseInt(ys, 0, platform::kScreenHeight - 1, y)) {
    error = "pixel " + text + " lies outside the 640 x 480 screen (x 0..639, y 0..479)";
    return false;
  }
  return true;
}

bool parseDrag(const std::string& text, RenderStep& step, std::string& error) {
  std::vector<std::string> parts;
  std::string::size_type from = 0;
  for (;;) {
    const auto colon = text.find(':', from);
    parts.push_back(text.substr(from, colon - from));
    if (colon == std::string::npos) break;
    from = colon + 1;
  }
  if (parts.size() < 2 || parts.size() > 3) {
    error = "--drag '" + text + "' is not X0,Y0:X1,Y1[:MOVES]";
    return false;
  }
  step.kind = RenderStep::Drag;
  if (!parsePixel(parts[0], step.x0, step.y0, error) || !parsePixel(parts[1], step.x1, step.y1, error)) {
    error = "--drag: " + error;
    return false;
  }
  if (parts.size() == 3 && !parseInt(parts[2], 0, kMaxMoves, step.moves)) {
    error = "--drag: MOVES '" + parts[2] + "' is not a whole number from 0 to " + std::to_string(kMaxMoves);
    return false;
  }
  return true;
}

}  // namespace

const char* renderUsage() {
  return "usage: kelvane-render --out DIR [--scene FILE] [--drag X0,Y0:X1,Y1[:MOVES]]... [--deactivate]\n"
         "                      [--activate] [--gif FILE] [--export FILE.stl|FILE.obj]\n"
         "       kelvane-render [--scene FILE] --export FILE.stl|FILE.obj\n"
         "Runs the program on the headless host and writes every frame it shows, in order, as\n"
         "DIR/frame-0001.png, frame-0002.png, ... (indexed PNG with the display's palette).\n"
         "  --out DIR         directory for the frames (made if missing)\n"
         "  --scene FILE      show the scene of FILE (.csg, .obj, .stl) instead of the built-in one\n"
         "  --drag A:B[:N]    press the left button at pixel A = X,Y, move to pixel B in N evenly\n"
         "                    spaced moves (default 8), release there; pixels lie in 640 x 480\n"
         "  --deactivate      the window loses the focus\n"
         "  --activate        the window gets the focus back\n"
         "  --gif FILE        also write all frames as one animated GIF\n"
         "  --export FILE     write the model as a closed mesh, binary STL or OBJ by the name's\n"
         "                    ending; without --out nothing is drawn\n"
         "Input steps are given to the program in the order of the options; Escape follows the last.\n";
}

bool parseRenderOptions(int argc, const char* const* argv, RenderOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool takesValue = arg == "--out" || arg == "--drag" || arg == "--gif" || arg == "--export" || arg == "--scene";
    if (takesValue && (i + 1 >= argc || argv[i + 1][0] == '\0')) {
      error = arg + " needs a value";
      return false;
    }
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--out") {
      options.outDir = argv[++i];
    } else if (arg == "--gif") {
      options.gifPath = argv[++i];
    } else if (arg == "--export") {
      options.exportPath = argv[++i];
    } else if (arg == "--scene") {
      options.scenePath = argv[++i];
    } else if (arg == "--drag") {
      RenderStep step{RenderStep::Drag};
      if (!parseDrag(argv[++i], step, error)) return false;
      options.steps.push_back(step);
    } else if (arg == "--deactivate") {
      options.steps.push_back(RenderStep{RenderStep::Deactivate});
    } else if (arg == "--activate") {
      options.steps.push_back(RenderStep{RenderStep::Activate});
    } else {
      error = "unknown option '" + arg + "'";
      return false;
    }
  }
  if (!options.help && options.outDir.empty()) {
    const bool drawing = !options.gifPath.empty() || !options.steps.empty() || options.exportPath.empty();
    if (drawing) {
      error = options.exportPath.empty() ? "--out DIR is required" : "frames need --out DIR: --out DIR is required";
      return false;
    }
  }
  return true;
}
