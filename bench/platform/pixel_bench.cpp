// The pixel paths of the platform against the floor of writing the same
// bytes with memset: a colour-fill Blt of the whole back buffer, a large
// polygon filled and outlined by GDI, and a flip, which swaps buffers and so
// costs the same whatever the frame holds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/ddraw/direct_draw_state.h"
#include "platform/user/user.h"
#include "platform/win32.h"

namespace {

constexpr std::size_t kFrameBytes = std::size_t(platform::kScreenWidth) * platform::kScreenHeight;

struct Display {
  LPDIRECTDRAWSURFACE primary = nullptr;
  LPDIRECTDRAWSURFACE back = nullptr;
};

// The display as the program sets it up, once per process; no host, so a
// flip presents nowhere.
const Display& display() {
  static Display made = [] {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "Bench";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "Bench", "Bench", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                                  platform::programInstance(), nullptr);
    ShowWindow(window, SW_SHOW);
    LPDIRECTDRAW directDraw = nullptr;
    DirectDrawCreate(nullptr, &directDraw, nullptr);
    directDraw->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    directDraw->SetDisplayMode(640, 480, 8);
    DDSURFACEDESC description = {};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    description.dwBackBufferCount = 1;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    Display result;
    directDraw->CreateSurface(&description, &result.primary, nullptr);
    DDSCAPS caps = {DDSCAPS_BACKBUFFER};
    result.primary->GetAttachedSurface(&caps, &result.back);
    return result;
  }();
  return made;
}

void BM_ColourFillBlt(benchmark::State& state) {
  LPDIRECTDRAWSURFACE back = display().back;
  RECT whole = {0, 0, 640, 480};
  DDBLTFX fx = {};
  fx.dwSize = sizeof fx;
  for (auto _ : state) {
    ++fx.dwFillColor;
    back->Blt(&whole, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * std::int64_t(kFrameBytes));
}
BENCHMARK(BM_ColourFillBlt);

void BM_FrameMemset(benchmark::State& state) {
  std::vector<unsigned char> frame(kFrameBytes);
  unsigned char value = 0;
  for (auto _ : state) {
    std::memset(frame.data(), ++value, frame.size());
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * std::int64_t(kFrameBytes));
}
BENCHMARK(BM_FrameMemset);

// A slanted hexagon over most of the screen, as a near face of the model
// appears, filled with a grey brush; outlined with the white pen as the
// program draws it, or with the null pen for the fill alone.
const POINT kFace[] = {{40, 200}, {250, 12}, {600, 30}, {630, 300}, {420, 470}, {60, 430}};
constexpr int kNullPen = 5;  // PS_NULL

void drawFaces(benchmark::State& state, HPEN pen) {
  LPDIRECTDRAWSURFACE back = display().back;
  HDC dc = nullptr;
  back->GetDC(&dc);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, CreateSolidBrush(RGB(164, 164, 164)));
  for (auto _ : state) {
    Polygon(dc, kFace, 6);
    benchmark::ClobberMemory();
  }
  DeleteObject(SelectObject(dc, oldBrush));
  DeleteObject(SelectObject(dc, oldPen));
  back->ReleaseDC(dc);
}

void BM_LargePolygonFill(benchmark::State& state) { drawFaces(state, CreatePen(kNullPen, 0, 0)); }
BENCHMARK(BM_LargePolygonFill);

void BM_LargePolygonOutlined(benchmark::State& state) {
  drawFaces(state, CreatePen(PS_SOLID, 0, RGB(255, 255, 255)));
}
BENCHMARK(BM_LargePolygonOutlined);

// The same rows and columns as the polygon's fill covers, one memset per row.
void BM_PolygonSpansMemset(benchmark::State& state) {
  const Display& screen = display();
  RECT whole = {0, 0, 640, 480};
  DDBLTFX fx = {};
  fx.dwSize = sizeof fx;
  screen.back->Blt(&whole, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
  HDC dc = nullptr;
  screen.back->GetDC(&dc);
  SelectObject(dc, CreatePen(kNullPen, 0, 0));
  Polygon(dc, kFace, 6);
  screen.back->ReleaseDC(dc);
  std::vector<std::pair<int, int>> spans;  // (first, end) per row, row y at index y
  std::size_t covered = 0;
  const std::uint8_t* pixels = platform::backPixels();
  for (int y = 0; y < 480; ++y) {
    const std::uint8_t* row = pixels + y * 640;
    const std::uint8_t* first = std::find_if(row, row + 640, [](std::uint8_t p) { return p != 0; });
    const std::uint8_t* last = std::find_if(std::make_reverse_iterator(row + 640), std::make_reverse_iterator(row),
                                            [](std::uint8_t p) { return p != 0; }).base();
    spans.emplace_back(int(first - row), int(std::max(first, last) - row));
    covered += std::size_t(std::max(first, last) - first);
  }
  std::vector<unsigned char> frame(kFrameBytes);
  unsigned char value = 0;
  for (auto _ : state) {
    ++value;
    for (int y = 0; y < 480; ++y) {
      std::memset(frame.data() + y * 640 + spans[y].first, value, std::size_t(spans[y].second - spans[y].first));
    }
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
  state.counters["pixels"] = double(covered);
}
BENCHMARK(BM_PolygonSpansMemset);

void BM_Flip(benchmark::State& state) {
  LPDIRECTDRAWSURFACE primary = display().primary;
  for (auto _ : state) {
    primary->Flip(nullptr, DDFLIP_WAIT);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Flip);

}  // namespace
