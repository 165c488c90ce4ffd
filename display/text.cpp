#include "display/text.h"

#include "display/gdi_object.h"

void writeText(HDC dc, int x, int y, const std::string& text, COLORREF colour, TextFont font) {
  const HGDIOBJ previousFont = SelectObject(dc, GetStockObject(static_cast<int>(font)));
  const COLORREF previousColour = SetTextColor(dc, colour);
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
  SetBkMode(dc, previousMode);
  SetTextColor(dc, previousColour);
  SelectObject(dc, previousFont);
}

// Polygon's pen covers the right and bottom edges that its fill leaves out,
// hence the corners one pixel in.
void panelBackground(HDC dc, const RECT& box, COLORREF fill, COLORREF edge) {
  ScopedPen pen(dc, solidPen(edge));
  ScopedBrush brush(dc, CreateSolidBrush(fill));
  const POINT corners[4] = {{box.left, box.top},
                            {box.right - 1, box.top},
                            {box.right - 1, box.bottom - 1},
                            {box.left, box.bottom - 1}};
  Polygon(dc, corners, 4);
}
