// The GDI subset driven by fuzz input: pens and brushes made, selected and
// deleted in any order, with real, stale and made-up handles, and lines,
// polygons and ellipses at any coordinates on two small surfaces. A model of
// the objects says what every call must answer; after every drawing call
// each changed pixel must lie inside the primitive's own bounds, carry the
// pen's or the brush's colour, and nothing beyond either surface (guard
// bytes on both sides, padding between rows) may change.
#include <algorithm>
#include <array>
#include <climits>
#include <map>
#include <vector>

#include "fuzz/checks.h"
#include "fuzz/fuzz_input.h"
#include "platform/gdi/ellipse_raster.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/palette.h"
#include "platform/trace/trace.h"
#include "platform/win32.h"

namespace {

constexpr std::size_t kGuard = 64;
constexpr std::uint8_t kGuardByte = 0x5A;

int inkOf(COLORREF colour) { return platform::nearestPaletteIndex(platform::defaultPalette(), colour); }

struct ModelObject {
  bool pen;
  int ink;     // the palette index it paints with; -1 for a pen that draws nothing
  bool stock;  // deleting it succeeds and changes nothing
  bool alive = true;
};

struct Surface {
  std::vector<std::uint8_t> memory;
  platform::Canvas canvas;
  HDC dc;
  HGDIOBJ pen, brush;  // the model's selection
  POINT position{0, 0};
};

// A bounding box of points, inclusive; empty until a point is added.
struct Box {
  long long left = LLONG_MAX, top = LLONG_MAX, right = LLONG_MIN, bottom = LLONG_MIN;
  Box& add(long long x, long long y) {
    left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
    return *this;
  }
};

class GdiSession {
 public:
  explicit GdiSession(FuzzInput& input) : in(input) {
    platform::clearTrace();
    platform::setCallLogging(false);
    platform::resetGdiObjects();
    const std::uint8_t background = in.byte();
    for (Surface& s : surfaces) {
      const int width = in.range(1, 48), height = in.range(1, 48), pitch = width + in.range(0, 3);
      s.memory.assign(kGuard * 2 + std::size_t(pitch) * height, background);
      std::fill_n(s.memory.begin(), kGuard, kGuardByte);
      std::fill_n(s.memory.end() - kGuard, kGuard, kGuardByte);
      s.canvas = platform::Canvas{s.memory.data() + kGuard, width, height, pitch};
      s.dc = platform::createDeviceContext(s.canvas, &platform::defaultPalette());
      // The black pen and white brush every device context starts with.
      s.pen = platform::findDeviceContext(s.dc)->pen;
      s.brush = platform::findDeviceContext(s.dc)->brush;
      objects.emplace(s.pen, ModelObject{true, inkOf(RGB(0, 0, 0)), true});
      objects.emplace(s.brush, ModelObject{false, inkOf(RGB(255, 255, 255)), true});
    }
  }

  ~GdiSession() {
    for (Surface& s : surfaces) platform::deleteDeviceContext(s.dc);
    platform::resetGdiObjects();
  }

  void run() {
    for (int i = 0; i < 64 && !in.empty(); ++i) {  // a bound that keeps a run fast
      Surface& s = surfaces[in.byte() & 1];
      switch (in.byte() % 8) {
        case 0: create(true); break;
        case 1: create(false); break;
        case 2: selectOrDelete(s, true); break;
        case 3: selectOrDelete(s, false); break;
        case 4: line(s, false); break;
        case 5: line(s, true); break;
        case 6: polygon(s); break;
        default: ellipse(s); break;
      }
    }
  }

 private:
  // Mostly near the surface, now and then anywhere an int reaches.
  int coordinate() {
    const std::uint8_t kind = in.byte();
    if (kind < 200) return in.range(-12, 60);
    if (kind < 240) return static_cast<int>(in.word());
    static const int kExtremes[] = {INT_MIN, INT_MAX, INT_MIN + 1, INT_MAX - 1, 1 << 27, -(1 << 27), (1 << 27) + 1};
    return kExtremes[kind % 7];
  }

  // A live, deleted or stock object, no handle, a device context or any value.
  HGDIOBJ anyHandle() {
    const std::uint8_t kind = in.byte() % 8;
    if (kind < 5) return std::next(objects.begin(), in.range(0, int(objects.size()) - 1))->first;
    if (kind == 5) return nullptr;
    if (kind == 6) return reinterpret_cast<HGDIOBJ>(surfaces[in.byte() & 1].dc);
    return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(in.word()));
  }

  ModelObject* live(HGDIOBJ h) {
    auto it = objects.find(h);
    return it != objects.end() && it->second.alive ? &it->second : nullptr;
  }

  // Pen styles up to 6 are made (5 draws nothing); any other is refused.
  void create(bool pen) {
    static const int kStyles[] = {PS_SOLID, 5, 1, 6, 7, 8, 0x10, -1};
    const int style = pen ? kStyles[in.byte() % 8] : PS_SOLID;
    const COLORREF c = in.byte() < 128 ? RGB(in.byte(), in.byte(), in.byte()) : in.word();
    const HGDIOBJ h = pen ? HGDIOBJ(CreatePen(style, coordinate(), c)) : HGDIOBJ(CreateSolidBrush(c));
    require((h != nullptr) == ((style & 0x0F) <= 6), "an object was made with a style that cannot draw, or refused");
    if (h != nullptr) objects[h] = ModelObject{pen, (style & 0x0F) == 5 ? -1 : inkOf(c), false};
  }

  // Selects any handle into s, or deletes it: a selected object cannot be
  // deleted, a stock one always can, to no effect.
  void selectOrDelete(Surface& s, bool select) {
    const HGDIOBJ h = anyHandle();
    ModelObject* object = live(h);
    HGDIOBJ* slot = object == nullptr ? nullptr : object->pen ? &s.pen : &s.brush;
    if (select) {
      require(SelectObject(s.dc, h) == (slot != nullptr ? *slot : nullptr), "SelectObject did not answer as it should");
      if (slot != nullptr) *slot = h;
      return;
    }
    const bool selected =
        std::any_of(surfaces.begin(), surfaces.end(), [h](const Surface& t) { return t.pen == h || t.brush == h; });
    const bool deleted = DeleteObject(h) != FALSE;
    require(deleted == (object != nullptr && (object->stock || !selected)),
            "DeleteObject freed a selected or dead object, or kept an unselected one");
    if (deleted && !object->stock) object->alive = false;
  }

  // Draws, then compares: the call's answer; every changed pixel inside box
  // and in the colour of the pen or, when filled, the brush; the guards and
  // the padding untouched.
  template <class Draw>
  void drawn(Surface& s, const Box& box, bool filled, bool answer, Draw draw) {
    const int pen = objects.at(s.pen).ink, brush = filled ? objects.at(s.brush).ink : -1;
    const std::vector<std::uint8_t> before = s.memory;
    require((draw() != FALSE) == answer, "a drawing call answered wrongly");
    const auto pitch = static_cast<std::size_t>(s.canvas.pitch);
    for (std::size_t i = 0; i < s.memory.size(); ++i) {
      if (s.memory[i] == before[i]) continue;
      require(i >= kGuard && i + kGuard < s.memory.size(), "GDI drew outside the surface");
      const auto x = static_cast<long long>((i - kGuard) % pitch), y = static_cast<long long>((i - kGuard) / pitch);
      require(x < s.canvas.width, "GDI drew into the padding between rows");
      require(x >= box.left && x <= box.right && y >= box.top && y <= box.bottom,
              "GDI drew a pixel outside the primitive's bounds");
      require(s.memory[i] == pen || s.memory[i] == brush, "GDI drew a pixel in neither the pen's nor the brush's colour");
    }
  }

  // MoveToEx answers the position LineTo draws from.
  void line(Surface& s, bool draw) {
    const int x = coordinate(), y = coordinate();
    if (draw) drawn(s, Box().add(s.position.x, s.position.y).add(x, y), false, true, [&] { return LineTo(s.dc, x, y); });
    POINT before = s.position;
    if (!draw) require(MoveToEx(s.dc, x, y, (in.byte() & 1) != 0 ? &before : nullptr), "MoveToEx failed");
    require(before.x == s.position.x && before.y == s.position.y, "MoveToEx did not answer the position");
    s.position = POINT{x, y};
  }

  void polygon(Surface& s) {
    std::vector<POINT> points(in.range(0, 12));
    Box box;
    for (POINT& p : points) {
      p = POINT{coordinate(), coordinate()};
      box.add(p.x, p.y);
    }
    const int count = static_cast<int>(points.size());
    drawn(s, box, true, count >= 2, [&] { return Polygon(s.dc, points.data(), count); });
  }

  void ellipse(Surface& s) {
    const int l = coordinate(), t = coordinate(), r = coordinate(), b = coordinate();
    const int limit = platform::kEllipseCoordinateLimit;
    const bool inRange = std::max({l, t, r, b}) <= limit && std::min({l, t, r, b}) >= -limit;
    Box box;  // without the right and bottom edges
    if (inRange) box = Box{std::min(l, r), std::min(t, b), std::max(l, r) - 1LL, std::max(t, b) - 1LL};
    drawn(s, box, true, inRange, [&] { return Ellipse(s.dc, l, t, r, b); });
  }

  FuzzInput& in;
  std::array<Surface, 2> surfaces;
  std::map<HGDIOBJ, ModelObject> objects;
};

}  // namespace

void checkGdi(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  GdiSession(in).run();
}
