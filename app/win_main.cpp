#include <cstdio>
#include <new>

#include "app/command_line.h"
#include "app/painter_replay.h"
#include "app/program.h"
#include "app/scene.h"
#include "app/scene_file.h"
#include "app/view_keys.h"
#include "app/window_mode.h"
#include "interaction/trackball.h"

HWND mainWindow = nullptr;
Viewer* theViewer = nullptr;
std::int32_t frameIsCurrent = 0;
std::int32_t dragging = 0;
MSG messageRecord = {};

namespace {

constexpr const char* kName = "Kelvane";
constexpr WORD kApplicationResource = 32512;
constexpr float kTrackballRadius = 0.95f;

// Null, said on stderr, when there is no memory for it; the Viewer is then
// not complete.
Trackball* makeTrackball() {
  Trackball* trackball = new (std::nothrow) Trackball(origin2, kTrackballRadius);
  if (trackball == nullptr) std::fprintf(stderr, "kelvane: out of memory for the trackball\n");
  return trackball;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
  CommandLine options;
  if (const auto end = parseCommandLine(commandLine, options)) return *end;
  // A scene file named on the command line is opened before any call that
  // may need the display (the SDL host opens its window at the first), so
  // that a bad one ends the program with its message and no window.
  if (!options.scenePath.empty() && !openSceneFile(options.scenePath.c_str())) return kBadSceneStatus;
  startUp(instance, showCommand, options.windowed);
  runMessageLoop();
  shutDown();
  if (messageRecord.message == WM_QUIT && messageRecord.wParam == kDisplayFailedStatus) {
    return kDisplayFailedStatus;
  }
  return 1;
}

void startUp(HINSTANCE instance, int showCommand, bool windowed) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_VREDRAW | CS_HREDRAW;
  windowClass.lpfnWndProc = windowProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = 0;
  windowClass.hInstance = instance;
  // The program carries no icon resource, so this finds none.
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kApplicationResource));
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(kApplicationResource));
  // No brush: the system never erases the window, every frame covers it.
  windowClass.hbrBackground = nullptr;
  windowClass.lpszMenuName = kName;
  windowClass.lpszClassName = kName;
  RegisterClassA(&windowClass);

  mainWindow = createMainWindow(instance, kName, windowed);
  ShowWindow(mainWindow, showCommand);
  UpdateWindow(mainWindow);
  SetFocus(mainWindow);

  // The model is complete before the display mode changes.
  if (sceneTree == nullptr) buildScene();
  theViewer = new (std::nothrow) Viewer(mainWindow, makeTrackball(), sceneTree, windowed);
  if (theViewer == nullptr) {
    std::fprintf(stderr, "kelvane: out of memory for the viewer\n");
    PostQuitMessage(kDisplayFailedStatus);
    return;
  }
  frameOpenedScene(*theViewer);
  endIfDisplayFailed();
}

void runMessageLoop() {
  // WM_PAINT comes back for as long as the window stays invalid, and only
  // DefWindowProcA validates it; a run this long means it never will, and
  // the queue would never empty.
  constexpr int kMaxRepeatedPaints = 32;
  int repeatedPaints = 0;
  bool waited = false;
  for (;;) {
    const bool messageWaits = PeekMessageA(&messageRecord, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
    if (!messageWaits && replayRunning()) {
      advanceReplay();
      frameIsCurrent = 1;
      if (replayRunning()) MsgWaitForMultipleObjects(0, nullptr, FALSE, replayInterval(), QS_ALLINPUT);
      continue;
    }
    if (!messageWaits && frameIsCurrent == 0) {
      if (theViewer != nullptr) {
        theViewer->drawPlainFrame();
        endIfDisplayFailed();
      }
      frameIsCurrent = 1;
      waited = false;
      continue;
    }
    if (!messageWaits && !waited && WaitMessage()) {
      waited = true;
      continue;
    }
    // Also after a wait that failed or ended with nothing to see, which
    // would spin if repeated: GetMessageA waits as well.
    if (GetMessageA(&messageRecord, mainWindow, 0, 0) != 1) return;
    DispatchMessageA(&messageRecord);
    waited = false;
    repeatedPaints = messageRecord.message == WM_PAINT ? repeatedPaints + 1 : 0;
    if (repeatedPaints == kMaxRepeatedPaints) endProgram("the window keeps asking to be painted");
  }
}

void shutDown() {}

void endIfDisplayFailed() {
  if (theViewer == nullptr || theViewer->isComplete()) return;
  endProgram("no usable display");
}

void resetProgramState() {
  // The Viewer first: it gives the display back to a platform that still
  // knows it.
  delete theViewer;
  theViewer = nullptr;
  currentViewer = nullptr;
  delete sceneTree;
  sceneTree = nullptr;
  mainWindow = nullptr;
  frameIsCurrent = 0;
  dragging = 0;
  messageRecord = {};
  forgetSceneFile();
  forgetConstructionSteps();
  resetReplay();
}

void endProgram(const char* reason) {
  std::fprintf(stderr, "kelvane: %s; the program ends\n", reason);
  delete theViewer;
  theViewer = nullptr;
  PostQuitMessage(kDisplayFailedStatus);
}
