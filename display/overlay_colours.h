// Colours of what the viewer draws over the model. Pure colours, so that
// the 8-bit display's default palette holds each one exactly.
#ifndef KELVANE_DISPLAY_OVERLAY_COLOURS_H
#define KELVANE_DISPLAY_OVERLAY_COLOURS_H

#include "platform/win32.h"

constexpr COLORREF kHighlightColour = RGB(255, 255, 0);   // the polygon just painted, its node
constexpr COLORREF kSelectionColour = RGB(0, 255, 255);   // the node picked in the tree panel
constexpr COLORREF kPanelFill = RGB(0, 0, 0);
constexpr COLORREF kPanelEdge = RGB(128, 128, 128);
constexpr COLORREF kPanelTextColour = RGB(255, 255, 255);
constexpr COLORREF kTreeLinkColour = RGB(128, 128, 128);
constexpr COLORREF kTreeNodeColour = RGB(255, 255, 255);
constexpr COLORREF kOutlineColour = RGB(255, 255, 255);

#endif
