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
#include <cstring>
#include <map>
#include <vector>

#include "fuzz/checks.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/invariant.h"
#include "platform/ellipse_raster.h"
#include "platform/gdi_objects.h"
#include "platform/palette.h"
#include "platform/trace.h"
#include "platform/win32.h"

namespace {

constexpr int kMaxCommands = 64;
constexpr std::size_t kGuard = 64;
constexpr std::uint8_t kGuardByte = 0x5A;

struct ModelObject {
  bool pen;
  COLORREF colour;
  bool draws;  // pens: false for PS_NULL
  bool alive;
};

struct Surface {
  std::vector<std::uint8_t> memory;
  platform::Canvas canvas;
  HDC dc;
  HGDIOBJ pen = nullptr;  // the model's selection
  HGDIOBJ brush = nullptr;
  POINT position{0, 0};
};

struct Box {
  long long left, top, right, bottom;  // inclusive
};

class GdiSession {
 public:
  explicit GdiSession(FuzzInput& input) : in(input) {
    platform::clearTrace();
    platform::setCallLogging(false);
    platform::resetGdiObjects();
    const std::uint8_t background = in.byte();
    for (Surface& s : surfaces) {
      const int width = in.range(1, 48);
      const int height = in.range(1, 48);
      const int pitch = width + in.range(0, 3);
      s.memory.assign(kGuard * 2 + std::size_t(pitch) * height, background);
      std::fill_n(s.memory.begin(), kGuard, kGuardByte);
      std::fill_n(s.memory.end() - kGuard, kGuard, kGuardByte);
      s.canvas = platform::Canvas{s.memory.data() + kGuard, width, height, pitch};
      s.dc = platform::createDeviceContext(s.canvas, &platform::defaultPalette());
    }
    learnStock(CreatePen(PS_SOLID, 0, 0), true);
    learnStock(CreateSolidBrush(0), false);
  }

  ~GdiSession() {
    for (Surface& s : surfaces) platform::deleteDeviceContext(s.dc);
    platform::resetGdiObjects();
  }

  void run() {
    for (int i = 0; i < kMaxCommands && !in.empty(); ++i) {
      Surface& s = surfaces[in.byte() & 1];
      switch (in.byte() % 8) {
        case 0: createPen(); break;
        case 1: createBrush(); break;
        case 2: selectObject(s); break;
        case 3: deleteObject(); break;
        case 4: moveTo(s); break;
        case 5: lineTo(s); break;
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

  COLORREF colour() { return in.byte() < 128 ? RGB(in.byte(), in.byte(), in.byte()) : in.word(); }

  HGDIOBJ anyHandle() {
    const std::uint8_t kind = in.byte() % 8;
    if (kind < 5 && !objects.empty()) {
      auto it = objects.begin();
      std::advance(it, in.range(0, static_cast<int>(objects.size()) - 1));
      return it->first;
    }
    if (kind == 5) return nullptr;
    if (kind == 6) return reinterpret_cast<HGDIOBJ>(surfaces[in.byte() & 1].dc);
    return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(in.word()));
  }

  const ModelObject* live(HGDIOBJ h) const {
    auto it = objects.find(h);
    return it != objects.end() && it->second.alive ? &it->second : nullptr;
  }

  bool selectedAnywhere(HGDIOBJ h) const {
    return std::any_of(surfaces.begin(), surfaces.end(), [h](const Surface& s) { return s.pen == h || s.brush == h; });
  }

  void createPen() {
    static const int kStyles[] = {PS_SOLID, 5, 1, 6, 7, 8, 0x10, -1};
    const int style = kStyles[in.byte() % 8];
    const COLORREF c = colour();
    const HPEN pen = CreatePen(style, coordinate(), c);
    const int kind = style & 0x0F;
    require((pen != nullptr) == (kind <= 6), "CreatePen accepted a style it cannot draw or refused one it can");
    if (pen != nullptr) objects[pen] = ModelObject{true, c, kind != 5, true};
  }

  void createBrush() {
    const COLORREF c = colour();
    const HBRUSH brush = CreateSolidBrush(c);
    require(brush != nullptr, "CreateSolidBrush failed");
    objects[brush] = ModelObject{false, c, true, true};
  }

  // The stock pen and brush, selected into every new device context, are
  // learnt by swapping a fresh object in and out.
  void learnStock(HGDIOBJ fresh, bool pen) {
    for (Surface& s : surfaces) {
      const HGDIOBJ previous = SelectObject(s.dc, fresh);
      require(previous != nullptr && SelectObject(s.dc, previous) == fresh, "a fresh object cannot be selected");
      (pen ? s.pen : s.brush) = previous;
      if (objects.count(previous) == 0) {
        objects[previous] = ModelObject{pen, pen ? RGB(0, 0, 0) : RGB(255, 255, 255), true, true};
        stock.push_back(previous);
      }
    }
    require(DeleteObject(fresh), "an unselected object cannot be deleted");
  }

  void selectObject(Surface& s) {
    const HGDIOBJ h = anyHandle();
    const ModelObject* object = live(h);
    const HGDIOBJ previous = SelectObject(s.dc, h);
    if (object == nullptr) {
      require(previous == nullptr, "SelectObject took an object that is not a live pen or brush");
      return;
    }
    HGDIOBJ& slot = object->pen ? s.pen : s.brush;
    require(previous == slot, "SelectObject did not return the object selected before");
    slot = h;
  }

  void deleteObject() {
    const HGDIOBJ h = anyHandle();
    const ModelObject* object = live(h);
    const bool isStock = std::find(stock.begin(), stock.end(), h) != stock.end();
    const BOOL deleted = DeleteObject(h);
    if (object == nullptr) {
      require(!deleted, "DeleteObject succeeded on no live object");
      return;
    }
    if (isStock) {
      require(deleted, "DeleteObject of a stock object failed");
      return;
    }
    require(deleted == !selectedAnywhere(h), "DeleteObject freed a selected object or kept an unselected one");
    if (deleted) objects[h].alive = false;
  }

  void moveTo(Surface& s) {
    const int x = coordinate();
    const int y = coordinate();
    const bool ask = (in.byte() & 1) != 0;
    POINT before{};
    require(MoveToEx(s.dc, x, y, ask ? &before : nullptr), "MoveToEx failed");
    if (ask) require(before.x == s.position.x && before.y == s.position.y, "MoveToEx did not return the old position");
    s.position = POINT{x, y};
  }

  // The selected pen's and brush's colours as palette indices.
  std::vector<std::uint8_t> inks(const Surface& s, bool pen, bool brush) const {
    std::vector<std::uint8_t> out;
    for (const HGDIOBJ h : {pen ? s.pen : nullptr, brush ? s.brush : nullptr}) {
      const ModelObject* object = live(h);
      if (object != nullptr && object->draws) {
        out.push_back(platform::nearestPaletteIndex(platform::defaultPalette(), object->colour));
      }
    }
    return out;
  }

  // Draws, then compares: every changed pixel inside `bounds` and in one of
  // `allowed`, the guards untouched.
  template <class Draw>
  void drawn(Surface& s, const Box& bounds, const std::vector<std::uint8_t>& allowed, Draw draw) {
    const std::vector<std::uint8_t> before = s.memory;
    draw();
    for (std::size_t i = 0; i < kGuard; ++i) {
      require(s.memory[i] == kGuardByte && s.memory[s.memory.size() - 1 - i] == kGuardByte,
              "GDI drew outside the surface");
    }
    const int pitch = s.canvas.pitch;
    for (std::size_t i = kGuard; i + kGuard < s.memory.size(); ++i) {
      if (s.memory[i] == before[i]) continue;
      const long long x = static_cast<long long>((i - kGuard) % pitch);
      const long long y = static_cast<long long>((i - kGuard) / pitch);
      require(x < s.canvas.width, "GDI drew into the padding between rows");
      require(x >= bounds.left && x <= bounds.right && y >= bounds.top && y <= bounds.bottom,
              "GDI drew a pixel outside the primitive's bounds");
      require(std::find(allowed.begin(), allowed.end(), s.memory[i]) != allowed.end(),
              "GDI drew a pixel in neither the pen's nor the brush's colour");
    }
  }

  void lineTo(Surface& s) {
    const int x = coordinate();
    const int y = coordinate();
    const Box bounds{std::min<long long>(s.position.x, x), std::min<long long>(s.position.y, y),
                     std::max<long long>(s.position.x, x), std::max<long long>(s.position.y, y)};
    drawn(s, bounds, inks(s, true, false), [&] { require(LineTo(s.dc, x, y), "LineTo failed"); });
    s.position = POINT{x, y};
  }

  void polygon(Surface& s) {
    std::vector<POINT> points(in.range(0, 12));
    Box bounds{LLONG_MAX, LLONG_MAX, LLONG_MIN, LLONG_MIN};
    for (POINT& p : points) {
      p = POINT{coordinate(), coordinate()};
      bounds = Box{std::min<long long>(bounds.left, p.x), std::min<long long>(bounds.top, p.y),
                   std::max<long long>(bounds.right, p.x), std::max<long long>(bounds.bottom, p.y)};
    }
    const int count = static_cast<int>(points.size());
    drawn(s, bounds, inks(s, true, true), [&] {
      const BOOL ok = Polygon(s.dc, points.data(), count);
      require(ok == (count >= 2), "Polygon's answer does not follow its point count");
    });
  }

  void ellipse(Surface& s) {
    const int l = coordinate(), t = coordinate(), r = coordinate(), b = coordinate();
    const int corners[] = {l, t, r, b};
    const bool inRange = std::all_of(std::begin(corners), std::end(corners), [](int v) {
      return v >= -platform::kEllipseCoordinateLimit && v <= platform::kEllipseCoordinateLimit;
    });
    const Box bounds = inRange ? Box{std::min(l, r), std::min(t, b), std::max<long long>(l, r) - 1,
                                     std::max<long long>(t, b) - 1}
                               : Box{0, 0, -1, -1};
    drawn(s, bounds, inks(s, true, true), [&] {
      require(Ellipse(s.dc, l, t, r, b) == (inRange ? TRUE : FALSE), "Ellipse's answer does not follow its range");
    });
  }

  FuzzInput& in;
  std::array<Surface, 2> surfaces;
  std::map<HGDIOBJ, ModelObject> objects;
  std::vector<HGDIOBJ> stock;
};

}  // namespace

void checkGdi(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  GdiSession(in).run();
}
