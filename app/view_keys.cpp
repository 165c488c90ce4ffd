#include "app/view_keys.h"

#include <algorithm>
#include <cstdio>

#include "app/painter_replay.h"
#include "app/program.h"
#include "app/screenshot.h"
#include "app/window_mode.h"
#include "display/tree_panel.h"

namespace {

std::unique_ptr<ConstructionSteps> steps;
int shownStep = 0;  // 0: the finished model

void redraw() {
  if (theViewer == nullptr) return;
  theViewer->drawPlainFrame();
  endIfDisplayFailed();
}

// Cleared at once, so that no message still in the queue reaches the
// deleted Viewer.
void endOnEscape(HWND window, WPARAM) {
  cancelReplay();
  delete theViewer;
  theViewer = nullptr;
  PostMessageA(window, WM_CLOSE, 0, 0);
}

// Another tree: the replay, the picked node and the tree panel's layout
// belonged to the one before.
void showTree(const BspTree* tree, std::string caption) {
  cancelReplay();
  theViewer->view.tree = tree;
  theViewer->view.caption = std::move(caption);
  theViewer->view.selectedNode = nullptr;
  redraw();
}

// Nine keys for any number of steps: from step 9 on, 9 again shows the
// next, up to the last.
void showStep(HWND, WPARAM key) {
  if (theViewer == nullptr) return;
  ConstructionSteps& all = constructionSteps();
  int k = static_cast<int>(key - '0');
  if (k == 9 && shownStep >= 9) k = std::min(shownStep + 1, all.count());
  if (k > all.count() || (k == shownStep && k > 9)) return;
  shownStep = k;
  showTree(&all.tree(k), "step " + std::to_string(k) + " of " + std::to_string(all.count()) + ": " + all.name(k));
}

void showFinished(HWND, WPARAM) {
  if (theViewer == nullptr) return;
  shownStep = 0;
  showTree(nullptr, "");
}

void replayPainter(HWND, WPARAM) { startOrStepReplay(); }

void screenshot(HWND, WPARAM) { saveScreenshot(); }

void switchWindowMode(HWND window, WPARAM) { toggleWindowMode(window); }

void faster(HWND, WPARAM) { changeReplayRate(+1); }
void slower(HWND, WPARAM) { changeReplayRate(-1); }

void toggle(bool ViewState::*flag) {
  if (theViewer == nullptr) return;
  theViewer->view.*flag = !(theViewer->view.*flag);
  redraw();
}

void toggleTree(HWND, WPARAM) { toggle(&ViewState::showTree); }
void toggleOutline(HWND, WPARAM) { toggle(&ViewState::outlineOnly); }

void toggleHelp(HWND, WPARAM) {
  if (theViewer != nullptr && theViewer->view.helpLines.empty()) theViewer->view.helpLines = helpLines();
  toggle(&ViewState::showHelp);
}

void resetRotation(HWND, WPARAM) {
  if (theViewer == nullptr) return;
  cancelReplay();
  theViewer->modelRotation = identityMatrix;
  theViewer->modelInverse = identityMatrix;
  redraw();
}

}  // namespace

const std::vector<KeyBinding>& keyBindings() {
  static const std::vector<KeyBinding> bindings = {
      {{'1', '2', '3', '4', '5', '6', '7', '8', '9'}, "1..9", "the tree after construction step N; 9 again: the next",
       showStep},
      {{'0'}, "0", "the finished model", showFinished},
      {{'P'}, "P", "replay the painter's order; again or held: step", replayPainter},
      {{VK_OEM_PLUS, VK_ADD}, "+", "replay faster", faster},
      {{VK_OEM_MINUS, VK_SUBTRACT}, "-", "replay slower", slower},
      {{'T'}, "T", "show or hide the BSP tree", toggleTree},
      {{'W'}, "W", "outlines only, on or off", toggleOutline},
      {{'R'}, "R", "reset the rotation", resetRotation},
      {{'H', VK_F1}, "H, F1", "show or hide this help", toggleHelp},
      {{VK_SPACE}, "Space", "save the frame as kelvane-NNNN.png", screenshot},
      {{VK_F11}, "F11", "full screen or a window (also Alt+Enter)", switchWindowMode},
      {{VK_ESCAPE}, "Esc", "end the program", endOnEscape},
  };
  return bindings;
}

const KeyBinding* findKeyBinding(WPARAM key) {
  for (const KeyBinding& binding : keyBindings()) {
    if (std::find(binding.keys.begin(), binding.keys.end(), key) != binding.keys.end()) return &binding;
  }
  return nullptr;
}

std::vector<std::string> helpLines() {
  constexpr int kLabelWidth = 7;
  std::vector<std::string> lines{"Keys"};
  char line[96];
  for (const KeyBinding& binding : keyBindings()) {
    std::snprintf(line, sizeof line, "  %-*s %s", kLabelWidth, binding.label, binding.action);
    lines.emplace_back(line);
  }
  lines.emplace_back("Mouse");
  lines.emplace_back("  drag    turn the model (left button)");
  lines.emplace_back("  click   a node of the tree: outline its polygons");
  return lines;
}

void setConstructionSteps(std::vector<ConstructionStep> stepList) {
  steps = std::make_unique<ConstructionSteps>(std::move(stepList));
  shownStep = 0;
}

void forgetConstructionSteps() {
  steps.reset();
  shownStep = 0;
}

ConstructionSteps& constructionSteps() {
  if (!steps) steps = std::make_unique<ConstructionSteps>(builtInSteps());
  return *steps;
}

bool clickTreePanel(const POINT& pixel) {
  if (theViewer == nullptr || !theViewer->view.showTree || !insidePanel(pixel)) return false;
  const BspTree* tree = theViewer->shownTree();
  const BspNode* picked = tree == nullptr ? nullptr : nodeAt(layoutTree(*tree, kTreeDiagram), pixel);
  theViewer->view.selectedNode = picked == theViewer->view.selectedNode ? nullptr : picked;
  redraw();
  return true;
}
