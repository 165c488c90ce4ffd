// The current-viewer hooks: free functions that draw on whatever Viewer has
// a frame open (currentViewer) and do nothing between frames, so that the
// trackball and the tree traversal draw without knowing the Viewer.
#ifndef KELVANE_DISPLAY_CURRENT_VIEWER_H
#define KELVANE_DISPLAY_CURRENT_VIEWER_H

#include "bsp/draw_hook.h"
#include "geometry/vector.h"
#include "platform/win32.h"

void moveTo(const Point2& p);
void lineTo(const Point2& p);
void ellipse(const Point2& lowerLeft, const Point2& upperRight);
void marker(const Point2& p);
// drawPoly(PolyRef), declared by the traversal in bsp/draw_hook.h, is
// defined here as the fourth hook.

// The open frame's device context; null between frames.
HDC currentDC();

#endif
