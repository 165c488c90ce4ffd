#include "tools/render_options.h"

#include <cctype>

#include "platform/host/host.h"

namespace {

using support::UsageError;

void parsePixel(const std::string& text, int& x, int& y) {
  const auto comma = text.find(',');
  long long px = 0, py = 0;
  try {
    if (comma == std::string::npos) throw UsageError("no comma");
    px = support::parseWhole(text.substr(0, comma), -2147483647, 2147483647, "x");
    py = support::parseWhole(text.substr(comma + 1), -2147483647, 2147483647, "y");
  } catch (const UsageError&) {
    throw UsageError("'" + text + "' is not a pixel X,Y of two integers");
  }
  if (px < 0 || px >= platform::kScreenWidth || py < 0 || py >= platform::kScreenHeight) {
    throw UsageError("pixel " + text + " lies outside the 640 x 480 screen (x 0..639, y 0..479)");
  }
  x = static_cast<int>(px);
  y = static_cast<int>(py);
}

RenderStep parseDrag(const std::string& text) {
  std::vector<std::string> parts;
  std::string::size_type from = 0;
  for (;;) {
    const auto colon = text.find(':', from);
    parts.push_back(text.substr(from, colon - from));
    if (colon == std::string::npos) break;
    from = colon + 1;
  }
  if (parts.size() < 2 || parts.size() > 3) throw UsageError("'" + text + "' is not X0,Y0:X1,Y1[:MOVES]");
  RenderStep step{RenderStep::Drag};
  parsePixel(parts[0], step.x0, step.y0);
  parsePixel(parts[1], step.x1, step.y1);
  if (parts.size() == 3) step.moves = static_cast<int>(support::parseWhole(parts[2], 0, kMaxMoves, "MOVES"));
  return step;
}

// A letter or digit stands for its own key; F1..F12, plus, minus, space
// and escape are named; anything else is a virtual-key code 1..254.
unsigned parseKey(const std::string& text) {
  struct Named {
    const char* name;
    unsigned key;
  };
  static const Named kNames[] = {{"plus", 0xBB}, {"minus", 0xBD}, {"space", 0x20}, {"escape", 0x1B}};
  if (text.size() == 1 && std::isalnum(static_cast<unsigned char>(text[0]))) {
    return static_cast<unsigned>(std::toupper(static_cast<unsigned char>(text[0])));
  }
  for (const Named& named : kNames) {
    if (text == named.name) return named.key;
  }
  try {
    if (text.size() > 1 && (text[0] == 'F' || text[0] == 'f')) {
      return 0x70 + static_cast<unsigned>(support::parseWhole(text.substr(1), 1, 12, "F")) - 1;
    }
    return static_cast<unsigned>(support::parseWhole(text, 1, 254, "key"));
  } catch (const UsageError&) {
    throw UsageError("'" + text + "' is not a letter, a digit, F1..F12, plus, minus, space, escape or a key code 1..254");
  }
}

RenderStep keyStep(unsigned key) {
  RenderStep step{RenderStep::Key};
  step.key = key;
  return step;
}

}  // namespace

support::CommandLine renderCommandLine(RenderOptions& o) {
  support::CommandLine line(
      "kelvane-render", "--out DIR [options]",
      "Runs the program on the headless host and writes every frame it shows, in order, as\n"
      "DIR/frame-0001.png, frame-0002.png, ... (indexed PNG with the display's palette; more\n"
      "digits, for every frame, when a run shows more than 9999). Input steps are given to the\n"
      "program in the order of the options; Escape follows the last.\n");
  auto add = [&o](RenderStep::Kind kind) { return [&o, kind] { o.steps.push_back(RenderStep{kind}); }; };
  line.option("--out", "DIR", "directory for the frames (made if missing)", o.outDir)
      .option("--drag", "A:B[:N]",
              "press the left button at pixel A = X,Y, move to pixel B in N evenly spaced moves (default 8, "
              "at most 10000), release there; pixels lie in 640 x 480",
              [&o](const std::string& v) { o.steps.push_back(parseDrag(v)); })
      .flag("--deactivate", "the window loses the focus", add(RenderStep::Deactivate))
      .flag("--activate", "the window gets the focus back", add(RenderStep::Activate))
      .option("--key", "K",
              "press key K: a letter, a digit, F1..F12, plus, minus, space, escape, or a virtual-key code 1..254",
              [&o](const std::string& v) { o.steps.push_back(keyStep(parseKey(v))); })
      .option("--stage", "N",
              "the tree after construction step N (0: the finished model); key N, so that from step 9 on "
              "--stage 9 again shows the next step",
              [&o](const std::string& v) {
                o.steps.push_back(keyStep('0' + static_cast<unsigned>(support::parseWhole(v, 0, 9, "N"))));
              })
      .flag("--painter", "replay the painter's order, one frame per polygon drawn; key P",
            [&o] { o.steps.push_back(keyStep('P')); })
      .flag("--tree", "show the BSP tree panel; key T", [&o] { o.steps.push_back(keyStep('T')); })
      .option("--scene", "FILE", "show the scene of FILE (.csg, .obj, .stl) instead of the built-in one",
              o.scenePath)
      .option("--export", "FILE", "write the model as a closed mesh, binary STL or OBJ by the name's ending; "
              "without --out nothing is drawn", o.exportPath)
      .option("--gif", "FILE", "also write all frames as one animated GIF", o.gifPath)
      .flag("--force", "remove the frames of an earlier run from DIR first (only files named frame-N.png)",
            o.force);
  return line;
}
