// The Viewer ties the view of the model to the screen: the camera, the
// trackball, the model's rotation, the mapping between unit screen
// coordinates and pixels, and the DirectDraw display: exclusive full-screen
// 640 x 480 x 8 with one back buffer, or, in a window, a 640 x 480 x 8
// off-screen surface presented into the client area (display/window_fit.h).
//
// Every frame is beginFrame, drawing through the Viewer's operations or the
// current-viewer hooks (display/current_viewer.h), then endFrame.
//
// Unit coordinates have (0, 0) at pixel (centreX, centreY), x to the right,
// y upwards and `scale` pixels to the unit.
//
// A Viewer whose display set-up stopped early, whose trackball could not be
// allocated, or whose surfaces were given up after an error that would not
// clear, is not complete: it draws nothing, and its owner is expected to
// delete it (which releases what exists and restores the display mode).
#ifndef KELVANE_DISPLAY_VIEWER_H
#define KELVANE_DISPLAY_VIEWER_H

#include <string>

#include "display/view_state.h"
#include "geometry/camera.h"
#include "geometry/matrix.h"
#include "geometry/vector.h"
#include "platform/win32.h"
#include "polygon/poly_ref.h"

class BspTree;
class DragControl;
struct ScreenImage;

constexpr int kPointCapacity = 128;
// Frames in a row without a device context after which the display is
// given up.
constexpr int kFrameAttempts = 32;

struct Viewer {
  Camera camera;
  DragControl* trackball;
  // What drawScene draws; null draws no model.
  const BspTree* scene;
  Matrix4 dragStartRotation;
  Matrix4 modelRotation;
  Matrix4 modelInverse;
  // Centres and scales a scene opened from a file for the camera, applied
  // before the rotation; the built-in scene, which the camera was made for,
  // is drawn without it.
  Matrix4 framing = identityMatrix;
  Matrix4 framingInverse = identityMatrix;
  bool isFramed = false;
  Matrix4 combined;
  float centreX;
  float centreY;
  float scale;
  Point3 eyeInModel;
  POINT points[kPointCapacity];
  HWND window;
  IDirectDraw* directDraw;
  // Null in a window.
  IDirectDrawSurface* primary;
  // The back buffer, or in a window the off-screen surface drawn on.
  IDirectDrawSurface* backBuffer;
  // The back buffer's device context while a frame is open; outside a frame
  // it is null, or a context whose ReleaseDC failed, handed back by the
  // next beginFrame.
  HDC dc;
  // What frames show beyond the plain model (display/view_state.h).
  ViewState view;
  // The display is the window's client area rather than the whole screen.
  bool windowed = false;

  // Builds the camera and the identity rotation, takes over `trackball`
  // (null when it could not be made) and draws `scene`, then takes the
  // display for `window`. A failed DirectDraw call stops the set-up and is
  // named on stderr; the Viewer is then not complete.
  Viewer(HWND window, DragControl* trackball, const BspTree* scene, bool inWindow = false);
  // Releases the surfaces that exist, restores the display mode, releases
  // DirectDraw and frees the trackball.
  ~Viewer();

  Viewer(const Viewer&) = delete;
  Viewer& operator=(const Viewer&) = delete;

  // True when the display, its surfaces and the trackball all exist.
  bool isComplete() const;

  // Gives the display up for a change of window: the surfaces are
  // released and a full-screen mode is restored; DirectDraw stays. Pairs
  // with takeDisplay.
  void releaseDisplay();
  // Takes the display again, full screen or in the window (whose style
  // the caller has already set). False, named on stderr, when the Viewer
  // is then not complete.
  bool takeDisplay(bool inWindow);

  // Fills the back buffer with palette index 0, restoring the surfaces once
  // if they were lost. False when the fill kept failing.
  bool clearBackBuffer();

  // Opens a frame: this becomes currentViewer, the back buffer is cleared
  // and its device context taken. False, with nothing opened (no current
  // viewer, nothing to release, nothing to flip), when the Viewer is not
  // complete or no device context could be had: the frame is skipped. The
  // surfaces are given up, so that the Viewer is no longer complete, when
  // the buffer could not be cleared or kFrameAttempts frames in a row were
  // skipped.
  bool beginFrame();
  // Closes the frame opened by beginFrame: gives its device context back
  // and flips it to the screen, or in a window presents it there.
  void endFrame();

  // beginFrame, drawScene, drawOverlays, endFrame.
  void drawPlainFrame();

  // Unit coordinates to pixels: truncated toward zero, then wrapped to a
  // signed 16-bit value as the pixel coordinates of GDI are.
  POINT toScreen(const Point2& p) const;
  Point2 fromScreen(const POINT& pixel) const;

  // Shapes on the open frame, in unit coordinates, with the selected pen
  // (and brush, for the ellipse).
  void moveTo(const Point2& p);
  void lineTo(const Point2& p);
  // The ellipse whose bounding box has these corners, both corner pixels
  // included.
  void ellipse(const Point2& lowerLeft, const Point2& upperRight);
  // A plus sign whose arms reach five pixels either side of p.
  void marker(const Point2& p);

  // Culls the polygon if it faces away from eyeInModel, otherwise fills it,
  // flat shaded by lightDirection(), projected by `combined`.
  void drawPoly(PolyRef polyRef);

  // Brings `combined` and `eyeInModel` up to date with the framing and the
  // model rotation and draws the view's tree (`scene` unless view.tree says
  // otherwise) back to front, outlined in white.
  void drawScene();
  // The tree drawScene draws; null before the scene exists.
  const BspTree* shownTree() const;
  // What `view` asks for over the model drawn by drawScene: the painter's
  // highlight, the picked node's polygons, the caption, the tree and help
  // panels. Nothing at all for the default view.
  void drawOverlays();
  // Draws the current frame (drawScene and drawOverlays) and reads it back
  // from the screen. False, with `error` saying why, when the display would
  // not give it.
  bool captureFrame(ScreenImage& image, std::string& error);
  // Polygons of the shown tree that face the eye of the current rotation:
  // the frames of a painter's replay.
  int facingPolygonCount() const;

  // From now on the model is moved so that centre is at the origin and
  // scaled by factor (> 0) before it is turned.
  void frameModel(const Point3& centre, float factor);

  // The trackball drag (display/viewer_drag.cpp). beginDrag keeps the model
  // rotation and draws the trackball's overlay; drag turns the model by the
  // rotation from the press point to this one and draws the overlay.
  void beginDrag(const POINT& pixel);
  void drag(const POINT& pixel);

 private:
  bool setUpDisplay();
  bool setUpScreen();
  bool setUpWindow();
  IDirectDrawSurface* shownSurface() const;
  void presentInWindow();
  void releaseSurfaces();
  HRESULT fillBackBuffer();
  HRESULT takeDC();
  HRESULT giveBackDC();
  bool skipFrame(const char* call, HRESULT result);
  void drawDragFrame();
  // The polygon's ring in pixels, by `combined`, into target.
  void project(const Poly& poly, POINT* target) const;
  void outlineRing(const POINT* ring, int count);

  // Frames in a row that beginFrame could not open.
  int skippedFrames = 0;
};

// The Viewer with an open frame, null between frames.
extern Viewer* currentViewer;

#endif
