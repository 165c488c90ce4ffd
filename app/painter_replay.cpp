#include "app/painter_replay.h"

#include <algorithm>
#include <iterator>

#include "app/program.h"

namespace {

struct Replay {
  bool active = false;
  bool byHand = false;
  int shown = 0;  // polygons in the latest frame
  int total = 0;  // polygons that face the eye
  int rate = kDefaultReplayRate;
};

Replay replay;

void showFrame(int limit) {
  if (theViewer == nullptr) return;
  theViewer->view.paintLimit = limit;
  theViewer->drawPlainFrame();
  endIfDisplayFailed();
}

}  // namespace

void startOrStepReplay() {
  if (theViewer == nullptr) return;
  if (replay.active) {
    replay.byHand = true;
  } else {
    replay.active = true;
    replay.byHand = false;
    replay.shown = 0;
    replay.total = theViewer->facingPolygonCount();
  }
  advanceReplay();
}

void advanceReplay() {
  if (!replay.active) return;
  ++replay.shown;
  if (replay.shown > replay.total) {
    cancelReplay();
    showFrame(kPaintAll);
    return;
  }
  showFrame(replay.shown);
}

void cancelReplay() {
  replay.active = false;
  if (theViewer != nullptr) theViewer->view.paintLimit = kPaintAll;
}

void changeReplayRate(int direction) {
  const int last = static_cast<int>(std::size(kReplayRates)) - 1;
  replay.rate = std::clamp(replay.rate + direction, 0, last);
  replay.byHand = false;
}

bool replayRunning() { return replay.active && !replay.byHand; }

DWORD replayInterval() { return static_cast<DWORD>(1000 / kReplayRates[replay.rate]); }

int replayRateIndex() { return replay.rate; }

void resetReplay() { replay = Replay(); }
