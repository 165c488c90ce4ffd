// A pen or brush that lives for one drawing operation: selected into the
// device context when made, and on the way out the object it replaced is
// selected back before it is deleted (GDI must not delete a selected object).
#ifndef KELVANE_DISPLAY_GDI_OBJECT_H
#define KELVANE_DISPLAY_GDI_OBJECT_H

#include "platform/win32.h"

template <class Handle>
class ScopedGdiObject {
 public:
  // Takes over `object`, freshly created by the caller, and selects it.
  ScopedGdiObject(HDC dc, Handle object) : dc_(dc), object_(object), previous_(SelectObject(dc, object)) {}
  ~ScopedGdiObject() {
    SelectObject(dc_, previous_);
    DeleteObject(object_);
  }

  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;

 private:
  HDC dc_;
  Handle object_;
  HGDIOBJ previous_;
};

// A solid pen one pixel wide.
inline HPEN solidPen(COLORREF colour) { return CreatePen(PS_SOLID, 0, colour); }

using ScopedPen = ScopedGdiObject<HPEN>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;

#endif
