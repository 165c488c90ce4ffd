#include "display/current_viewer.h"

#include "display/viewer.h"

void moveTo(const Point2& p) {
  if (currentViewer != nullptr) currentViewer->moveTo(p);
}

void lineTo(const Point2& p) {
  if (currentViewer != nullptr) currentViewer->lineTo(p);
}

void ellipse(const Point2& lowerLeft, const Point2& upperRight) {
  if (currentViewer != nullptr) currentViewer->ellipse(lowerLeft, upperRight);
}

void marker(const Point2& p) {
  if (currentViewer != nullptr) currentViewer->marker(p);
}

void drawPoly(PolyRef polyRef) {
  if (currentViewer != nullptr) currentViewer->drawPoly(polyRef);
}

HDC currentDC() { return currentViewer != nullptr ? currentViewer->dc : nullptr; }
