// The viewer's keys on the headless host: construction steps, the painter's
// replay, the tree panel, the help, and that none of it changes a frame
// that does not ask for it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/construction_steps.h"
#include "app/painter_replay.h"
#include "app/scene.h"
#include "app/scene_file.h"
#include "app/screenshot.h"
#include "app/view_keys.h"
#include "bsp/bsp_node.h"
#include "bsp/csg.h"
#include "display/overlay_colours.h"
#include "display/tree_panel.h"
#include "display/headless.h"
#include "geometry/transform.h"
#include "platform/gdi/palette.h"
#include "platform/host/headless/png_io.h"
#include "polygon/measure.h"
#include "polygon/poly_list.h"
#include "support/command_line.h"
#include "support/scratch_folder.h"

namespace {

using Pixels = std::vector<std::uint8_t>;

void press(WPARAM key) { windowProc(mainWindow, WM_KEYDOWN, key, 1); }

const Pixels& latest(const platform::HeadlessHost& host) { return host.frames().back().pixels; }

// Node for node: the same planes and the same polygons in the same order.
bool sameTree(const BspTree& a, const BspTree& b) {
  if (a.isEmpty() || b.isEmpty()) return a.isEmpty() && b.isEmpty();
  const Plane &p = a.root->plane, &q = b.root->plane;
  if (p.x != q.x || p.y != q.y || p.z != q.z || p.w != q.w) return false;
  const PolyNode *m = a.root->coplanar->head, *n = b.root->coplanar->head;
  for (; m != nullptr && n != nullptr; m = m->next, n = n->next) {
    if (m->poly->vertexCount != n->poly->vertexCount) return false;
    for (int k = 0; k < m->poly->vertexCount; ++k) {
      const Point3 &u = m->poly->vertices[k], &v = n->poly->vertices[k];
      if (u.x != v.x || u.y != v.y || u.z != v.z) return false;
    }
  }
  return m == nullptr && n == nullptr && sameTree(a.root->back, b.root->back) && sameTree(a.root->front, b.root->front);
}

TEST(ConstructionSteps, EachStepsTreeHasItsCountsAndTheLastIsTheScene) {
  buildScene();
  ConstructionSteps steps(builtInSteps());
  ASSERT_EQ(steps.count(), 4);
  struct Expected {
    int nodes, polygons, depth;
  };
  // 1: the cube, a chain of its six faces. 2: the channel's three walls
  // inside the cube found nodes below it. 3: the clean-up splits faces but
  // founds nothing. 4: the plate's pieces in empty space.
  const Expected expected[] = {{6, 6, 6}, {9, 9, 9}, {9, 16, 9}, {25, 32, 12}};
  for (int k = 1; k <= 4; ++k) {
    const TreeCounts counts = countTree(steps.tree(k));
    EXPECT_EQ(counts.nodes, expected[k - 1].nodes) << "step " << k;
    EXPECT_EQ(counts.polygons, expected[k - 1].polygons) << "step " << k;
    EXPECT_EQ(counts.depth, expected[k - 1].depth) << "step " << k;
  }
  EXPECT_TRUE(sameTree(steps.tree(4), *sceneTree));
  // Built once: the same tree again.
  EXPECT_EQ(&steps.tree(2), &steps.tree(2));
}

TEST(ConstructionSteps, NumberKeysShowStepsAndZeroTheUnchangedSceneAgain) {
  platform::HeadlessHost& host = headless::startProgram();
  const BspTree* scene = sceneTree;
  theViewer->drawPlainFrame();
  const Pixels plain = latest(host);
  press('1');
  EXPECT_EQ(theViewer->view.tree, &constructionSteps().tree(1));
  EXPECT_EQ(theViewer->view.caption, "step 1 of 4: the first box");
  const Pixels first = latest(host);
  EXPECT_NE(first, plain);
  // The turned view is kept across steps.
  theViewer->modelRotation = rotationY(30.0f);
  theViewer->modelInverse = rotationY(-30.0f);
  press('2');
  EXPECT_EQ(theViewer->modelRotation, rotationY(30.0f));
  const int frames = host.frameCount();
  press('5');  // the scene has four steps
  EXPECT_EQ(host.frameCount(), frames);
  press('R');
  press('0');
  EXPECT_EQ(theViewer->view.tree, nullptr);
  EXPECT_EQ(latest(host), plain);
  EXPECT_EQ(sceneTree, scene);
}

// Boxes, so that every step's volume is exact: a union nested in a
// difference, then nine holes of 1 x 1 x 4, more steps than number keys.
constexpr const char* kStepScene = R"(difference() {
  union() { cube(4); translate([4, 0, 0]) cube(4); }
  translate([1, 1, -1]) cube([1, 1, 6]); translate([3, 1, -1]) cube([1, 1, 6]);
  translate([5, 1, -1]) cube([1, 1, 6]); translate([1, 2.5, -1]) cube([1, 1, 6]);
  translate([3, 2.5, -1]) cube([1, 1, 6]); translate([5, 2.5, -1]) cube([1, 1, 6]);
  translate([6.5, 1, -1]) cube([1, 1, 6]); translate([6.5, 2.5, -1]) cube([1, 1, 6]);
  translate([6.5, 0.5, -1]) cube([1, 0.25, 6]);
})";

TEST(ConstructionSteps, ASceneFilesStepsAreItsOperationsInOrderAndNineStepsOnToTheLast) {
  const std::string file = testing::TempDir() + "steps-" + std::to_string(getpid()) + ".csg";
  std::ofstream(file) << kStepScene;
  ASSERT_TRUE(openSceneFile(file.c_str()));
  std::remove(file.c_str());
  platform::HeadlessHost& host = headless::startProgram();
  theViewer->drawPlainFrame();
  const Pixels plain = latest(host);
  // Every step's volume differs, so each pins how far its step got.
  const std::pair<const char*, double> expected[] = {
      {"cube, line 2", 64},
      {"union with cube, line 2", 128},
      {"difference with cube, line 3", 124},
      {"difference with cube, line 3", 120},
      {"difference with cube, line 4", 116},
      {"difference with cube, line 4", 112},
      {"difference with cube, line 5", 108},
      {"difference with cube, line 5", 104},
      {"difference with cube, line 6", 100},
      {"difference with cube, line 6", 96},
      {"difference with cube, line 7", 95},
  };
  const int count = static_cast<int>(std::size(expected));
  ASSERT_EQ(constructionSteps().count(), count);
  theViewer->modelRotation = rotationY(30.0f);
  theViewer->modelInverse = rotationY(-30.0f);
  for (int k = 1; k <= count; ++k) {
    SCOPED_TRACE(k);
    press(k < 9 ? '0' + k : '9');  // from 9 on, 9 again shows the next step
    const auto& [name, volume] = expected[k - 1];
    EXPECT_EQ(theViewer->view.caption, "step " + std::to_string(k) + " of " + std::to_string(count) + ": " + name);
    EXPECT_NEAR(solidVolume(*solidPolygons(*theViewer->view.tree)), volume, 1e-4);
    EXPECT_EQ(theViewer->modelRotation, rotationY(30.0f));
  }
  EXPECT_TRUE(sameTree(*theViewer->view.tree, *sceneTree));
  const int frames = host.frameCount();
  press('9');  // past the last: nothing
  EXPECT_EQ(host.frameCount(), frames);
  press('R');
  press('0');
  EXPECT_EQ(theViewer->view.tree, nullptr);
  EXPECT_EQ(latest(host), plain);
}

struct Replayed {
  std::vector<Pixels> frames;      // one per polygon
  std::vector<const Poly*> polys;  // the polygon each frame added
  std::vector<Pixels> masks;       // each polygon alone, filled with its outline
  Pixels plain, last;
};

// Every pixel that polygon's fill and outline cover.
Pixels mask(Viewer& viewer, platform::HeadlessHost& host, const Poly& poly) {
  EXPECT_TRUE(viewer.beginFrame());
  std::vector<POINT> ring;
  for (int k = 0; k < poly.vertexCount; ++k) {
    const Point3 p = poly.vertices[k] * viewer.combined;
    ring.push_back(viewer.toScreen(Point2(p.x, p.y)));
  }
  const HPEN white = CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
  const HGDIOBJ pen = SelectObject(viewer.dc, white);
  Polygon(viewer.dc, ring.data(), poly.vertexCount);
  SelectObject(viewer.dc, pen);
  DeleteObject(white);
  viewer.endFrame();
  return latest(host);
}

Replayed replayWithKeys(platform::HeadlessHost& host, bool withTree) {
  Replayed r;
  theViewer->drawPlainFrame();
  r.plain = latest(host);
  if (withTree) press('T');
  press('P');
  while (theViewer->view.paintLimit != kPaintAll) {
    r.frames.push_back(latest(host));
    r.polys.push_back(theViewer->view.lastPainted);
    advanceReplay();
  }
  r.last = latest(host);
  return r;
}

TEST(PainterReplay, EachFrameAddsOnlyItsPolygonAndTheLastIsThePlainFrame) {
  platform::HeadlessHost& host = headless::startProgram();
  theViewer->modelRotation = rotationY(35.0f);
  theViewer->modelInverse = rotationY(-35.0f);
  const Replayed r = replayWithKeys(host, false);
  ASSERT_EQ(static_cast<int>(r.frames.size()), theViewer->facingPolygonCount());
  ASSERT_GT(r.frames.size(), 5u);
  EXPECT_EQ(r.last, r.plain);

  const std::uint8_t highlight = platform::nearestPaletteIndex(host.frames().back().palette, kHighlightColour);
  Pixels previous(r.plain.size(), 0);
  for (std::size_t k = 0; k < r.frames.size(); ++k) {
    const Pixels inside = mask(*theViewer, host, *r.polys[k]);
    int changed = 0;
    for (std::size_t i = 0; i < previous.size(); ++i) {
      if (r.frames[k][i] == highlight) {
        EXPECT_NE(inside[i], 0) << "highlight off polygon " << k << " at " << i;
      }
      if (r.frames[k][i] == previous[i]) continue;
      ++changed;
      // Outside the new polygon only the old highlight may give way.
      if (inside[i] == 0) {
        ASSERT_EQ(previous[i], highlight) << "frame " << k << " pixel " << i;
      }
    }
    EXPECT_GT(changed, 0) << k;
    previous = r.frames[k];
  }
}

TEST(PainterReplay, ThePanelHighlightsTheNodeOfThePolygonJustDrawn) {
  platform::HeadlessHost& host = headless::startProgram();
  const Replayed r = replayWithKeys(host, true);
  const std::vector<PanelNode> layout = layoutTree(*sceneTree, kTreeDiagram);
  const std::uint8_t highlight = platform::nearestPaletteIndex(host.frames().back().palette, kHighlightColour);
  for (std::size_t k = 0; k < r.frames.size(); ++k) {
    std::vector<const BspNode*> lit;
    for (const PanelNode& n : layout) {
      if (r.frames[k][n.centre.y * headless::kWidth + n.centre.x] == highlight) lit.push_back(n.node);
    }
    ASSERT_EQ(lit.size(), 1u) << "frame " << k;
    const PolyNode* p = lit[0]->coplanar->head;
    while (p != nullptr && &*p->poly != r.polys[k]) p = p->next;
    EXPECT_NE(p, nullptr) << "frame " << k << ": the lit node does not hold the polygon drawn";
  }
}

TEST(PainterReplay, TheKeyRunsTheWholeReplayThroughTheLoopAndPlusMinusMoveTheRate) {
  EXPECT_EQ(headless::runProgram("key 80\nkey escape"), 1);
  // The first frame, one per facing polygon, the plain frame again.
  const auto& frames = static_cast<platform::HeadlessHost&>(platform::host()).frames();
  ASSERT_GT(frames.size(), 3u);
  EXPECT_EQ(frames.front().pixels, frames.back().pixels);
  EXPECT_EQ(headless::countCalls("MsgWaitForMultipleObjects("), static_cast<int>(frames.size()) - 3);

  // The rate stops at either end of its table.
  for (int i = 0; i < 10; ++i) changeReplayRate(+1);
  EXPECT_EQ(replayInterval(), 1000u / kReplayRates[std::size(kReplayRates) - 1]);
  for (int i = 0; i < 10; ++i) changeReplayRate(-1);
  EXPECT_EQ(replayInterval(), 1000u / kReplayRates[0]);
}

TEST(ViewKeys, HelpListsEveryBindingAndOtherKeysDoNothing) {
  platform::HeadlessHost& host = headless::startProgram();
  press('H');
  for (const KeyBinding& binding : keyBindings()) {
    bool listed = false;
    for (const std::string& call : headless::calls("TextOutA(")) {
      listed = listed || (call.find(binding.label) != std::string::npos &&
                          call.find(binding.action) != std::string::npos);
    }
    EXPECT_TRUE(listed) << binding.label;
  }
  const int frames = host.frameCount();
  for (WPARAM key = 1; key < 255; ++key) {
    if (findKeyBinding(key) == nullptr) press(key);
  }
  EXPECT_EQ(host.frameCount(), frames);
  EXPECT_TRUE(theViewer->view.showHelp);
  EXPECT_EQ(theViewer->view.tree, nullptr);
}

TEST(ViewKeys, TogglesTwiceAndKeyZeroGiveBackThePlainFrame) {
  platform::HeadlessHost& host = headless::startProgram();
  theViewer->drawPlainFrame();
  const Pixels plain = latest(host);
  for (WPARAM key : {WPARAM{'T'}, WPARAM{'W'}, WPARAM{'H'}, WPARAM{VK_F1}}) {
    press(key);
    EXPECT_NE(latest(host), plain) << char(key);
    press(key);
    EXPECT_EQ(latest(host), plain) << char(key);
  }
  press('3');
  press('0');
  EXPECT_EQ(latest(host), plain);
}

TEST(ViewKeys, OutlinesOnlyDrawNoFill) {
  platform::HeadlessHost& host = headless::startProgram();
  press('W');
  const std::set<int> colours = headless::colours(host.frames().back());
  EXPECT_EQ(colours, (std::set<int>{0x000000, 0xFFFFFF}));
}

TEST(ViewKeys, ClickingANodeOutlinesItsPolygonsAndAClickBesideItUnpicks) {
  platform::HeadlessHost& host = headless::startProgram();
  press('T');
  const std::vector<PanelNode> layout = layoutTree(*sceneTree, kTreeDiagram);
  const PanelNode& root = layout.front();
  windowProc(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(root.centre.x + 1, root.centre.y));
  EXPECT_EQ(theViewer->view.selectedNode, sceneTree->root);
  EXPECT_EQ(dragging, 0);
  EXPECT_EQ(headless::colours(host.frames().back()).count(0x00FFFF), 1u);
  windowProc(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kTreePanel.left + 2, kTreePanel.bottom - 2));
  EXPECT_EQ(theViewer->view.selectedNode, nullptr);
  // Outside the panel a press starts a drag as always.
  windowProc(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 400));
  EXPECT_EQ(dragging, 1);
}

class EscapeTest : public ::testing::TestWithParam<const char*> {};

TEST_P(EscapeTest, EndsTheProgramWithStatusOne) { EXPECT_EQ(headless::runProgram(GetParam()), 1); }

INSTANTIATE_TEST_SUITE_P(EveryMode, EscapeTest,
                         ::testing::Values("key 72\nkey escape", "key 80; key escape",
                                           "key 84\nkey 80; key 187; key 80; key escape"));

}  // namespace

namespace {

int runWithCommandLine(const char* text) {
  headless::install("key escape");
  std::string line = text;
  return WinMain(platform::programInstance(), nullptr, line.data(), SW_SHOW);
}

// Each ends before the program makes a single platform call: on Linux the
// display is opened at the first, so no window shows.
TEST(CommandLine, HelpUsageAndABadSceneFileEndBeforeAnyPlatformCall) {
  const std::string file = testing::TempDir() + "bad-" + std::to_string(getpid()) + ".csg";
  std::ofstream(file) << "cube(1);\nsphere(r = 2 * 3);\n";
  const struct {
    std::string text;
    int status;
    std::string out, err;  // how each starts
  } cases[] = {
      {"--help", 0, "usage: kelvane [--window] [FILE]\n", ""},
      {"--windowed", support::kExitUsage, "", "kelvane: unknown option '--windowed' (try kelvane --help)\n"},
      {"a.csg b.csg", support::kExitUsage, "", "kelvane: one FILE only ('a.csg', then 'b.csg')"},
      {"\"" + file + "\"", kBadSceneStatus, "", file + ":2:14: error: "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(runWithCommandLine(c.text.c_str()), c.status);
    const std::string out = testing::internal::GetCapturedStdout(), err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(out.rfind(c.out, 0), 0u) << out;
    EXPECT_EQ(err.rfind(c.err, 0), 0u) << err;
    EXPECT_EQ(err.find('\n'), err.empty() ? std::string::npos : err.size() - 1) << err;
    if (c.status == 0) {
      for (const std::string& line : helpLines()) EXPECT_NE(out.find(line), std::string::npos) << line;
    }
    EXPECT_TRUE(platform::callLog().empty()) << platform::callLog().front();
  }
  std::remove(file.c_str());
}

// Splitting itself is the support library's; here what the words mean.
TEST(CommandLine, OneWordNamesTheSceneFile) {
  const struct {
    const char* text;
    const char* scenePath;
    std::optional<int> end;
  } cases[] = {
      {"", "", std::nullopt},
      {"\"my scenes/a b.csg\"", "my scenes/a b.csg", std::nullopt},
      {"--window a.csg", "a.csg", std::nullopt},
      {"-h examples/die.csg", "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CommandLine line;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(parseCommandLine(c.text, line), c.end);
    testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(line.scenePath, c.scenePath);
  }
}

}  // namespace

namespace {

namespace fs = std::filesystem;

// The scratch folder is the current one while the test runs.
class ScreenshotTest : public ScratchFolderTest {
 protected:
  ScreenshotTest() : ScratchFolderTest("shot") {}
  void SetUp() override {
    ScratchFolderTest::SetUp();
    fs::current_path(dir);
  }
  void TearDown() override {
    fs::current_path(fs::temp_directory_path());
    ScratchFolderTest::TearDown();
  }
};

TEST_F(ScreenshotTest, SpaceSavesTheFrameUnderTheFirstFreeNumberAndOverwritesNothing) {
  { std::ofstream("kelvane-0001.png") << "keep"; }
  platform::HeadlessHost& host = headless::startProgram();
  press('T');
  testing::internal::CaptureStdout();
  press(VK_SPACE);
  press(VK_SPACE);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "kelvane: saved kelvane-0002.png\nkelvane: saved kelvane-0003.png\n");
  std::stringstream kept;
  kept << std::ifstream("kelvane-0001.png").rdbuf();
  EXPECT_EQ(kept.str(), "keep");

  std::vector<std::uint8_t> pixels;
  platform::Palette palette;
  int width = 0, height = 0;
  std::string error;
  ASSERT_TRUE(platform::readIndexedPng("kelvane-0003.png", pixels, width, height, palette, &error)) << error;
  EXPECT_EQ(width, headless::kWidth);
  EXPECT_EQ(height, headless::kHeight);
  // The frame with the panel, as the screen showed it.
  EXPECT_EQ(pixels, host.frames().back().pixels);
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(palette[i].r, host.frames().back().palette[i].r) << i;
    EXPECT_EQ(palette[i].b, host.frames().back().palette[i].b) << i;
  }
}

TEST_F(ScreenshotTest, AFolderThatCannotBeWrittenIsNamed) {
  std::string error;
  EXPECT_EQ(saveNumbered((dir / "missing").string(), {1, 2, 3}, error), "");
  EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
  EXPECT_NE(error.find("missing/kelvane-0001.png"), std::string::npos) << error;
}

}  // namespace
