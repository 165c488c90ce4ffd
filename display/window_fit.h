// Where the 640 x 480 picture lies in a window's client area: scaled by the
// largest whole number that fits, so that every picture pixel becomes an
// equal square block, and centred, the rest black. A client area smaller
// than the picture gets it shrunk to fit with its aspect kept, since no
// whole number fits there.
#ifndef KELVANE_DISPLAY_WINDOW_FIT_H
#define KELVANE_DISPLAY_WINDOW_FIT_H

#include <array>

#include "platform/win32.h"

constexpr int kPictureWidth = 640;
constexpr int kPictureHeight = 480;

struct PictureFit {
  int left;
  int top;
  int width;
  int height;
};

// The picture's rectangle in a client area of this size.
PictureFit fitPicture(int clientWidth, int clientHeight);

// The four black bars around `fit` (above, below, left, right); a bar may
// be empty.
std::array<RECT, 4> barsAround(const PictureFit& fit, int clientWidth, int clientHeight);

// The picture pixel under a client-area pixel; outside the picture it
// continues the same mapping, so a drag may leave the picture.
POINT pictureOf(const PictureFit& fit, const POINT& client);

// The largest whole number by which the picture fits in this area; 0 when
// it does not fit at all.
int wholeScale(int width, int height);
#endif
