#include "platform/user/user_windows.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <strings.h>
#include <vector>

#include "platform/trace/trace.h"
#include "platform/user/user_focus.h"
#include "platform/trace/call_format.h"
#include "platform/user/user_queue.h"

namespace platform {
namespace {

constexpr DWORD kVisibleStyle = 0x10000000L;  // WS_VISIBLE
constexpr ATOM kFirstAtom = 0xC000;           // where Windows numbers registered classes
constexpr std::uintptr_t kFirstHandle = 0x10010;
constexpr int kLastShowCommand = 11;          // SW_MAX

// What WM_CREATE points to: the layout of CREATESTRUCTA, which the subset
// does not declare because the program never reads it.
struct CreateParameters {
  void* lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy, cx, y, x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
};

struct WindowClass {
  std::string name;
  WNDPROC procedure;
  HINSTANCE instance;
};

struct Window {
  WNDPROC procedure;
  bool visible = false;
  bool needsPaint = false;
  bool destroying = false;
  Placement placement;
};

struct Tables {
  std::vector<WindowClass> classes;
  std::map<std::uintptr_t, Window> windows;
  std::uintptr_t nextHandle = kFirstHandle;
};

Tables& tables() {
  static Tables state;
  return state;
}

Window* find(HWND window) {
  auto it = tables().windows.find(reinterpret_cast<std::uintptr_t>(window));
  return it == tables().windows.end() ? nullptr : &it->second;
}

bool isAtom(LPCSTR name) { return reinterpret_cast<std::uintptr_t>(name) <= 0xffff; }

// Class names compare without regard to case, as on Windows.
const WindowClass* findClass(LPCSTR name) {
  std::vector<WindowClass>& classes = tables().classes;
  if (isAtom(name)) {
    auto index = reinterpret_cast<std::uintptr_t>(name) - kFirstAtom;
    return index < classes.size() ? &classes[index] : nullptr;
  }
  for (const WindowClass& windowClass : classes) {
    if (strcasecmp(windowClass.name.c_str(), name) == 0) return &windowClass;
  }
  return nullptr;
}

// SW_HIDE, SW_SHOWNOACTIVATE (4), SW_MINIMIZE (6), SW_SHOWMINNOACTIVE (7)
// and SW_SHOWNA (8) leave activation alone.
bool activates(int command) {
  return command != SW_HIDE && command != 4 && command != 6 && command != 7 && command != 8;
}

BOOL showWindow(HWND window, int command) {
  Window* record = find(window);
  if (!record || record->destroying) return FALSE;
  BOOL wasVisible = record->visible ? TRUE : FALSE;
  bool show = command != SW_HIDE;
  if (record->visible != show) {
    sendToWindow(window, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    record = find(window);  // the procedure may have destroyed it
    if (!record) return wasVisible;
    record->visible = show;
    record->needsPaint = show;
  }
  if (activates(command)) activateShownWindow(window);
  return wasVisible;
}

std::string createArgs(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                       int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param) {
  return joinArgs({hexText(exStyle), resourceText(className), resourceText(windowName), hexText(style),
                   std::to_string(x), std::to_string(y), std::to_string(width), std::to_string(height),
                   handleText(parent), handleText(menu), handleText(instance), handleText(param)});
}

}  // namespace

bool isWindow(HWND window) { return find(window) != nullptr; }

Placement* findPlacement(HWND window) {
  Window* record = find(window);
  return record && !record->destroying ? &record->placement : nullptr;
}

LRESULT sendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* record = find(window);
  return record ? record->procedure(window, message, wParam, lParam) : 0;
}

BOOL destroyWindow(HWND window) {
  Window* record = find(window);
  if (!record || record->destroying) return FALSE;
  record->destroying = true;
  record->visible = false;
  releaseActivation(window);
  sendToWindow(window, WM_DESTROY, 0, 0);
  sendToWindow(window, WM_NCDESTROY, 0, 0);
  if (HDC dc = find(window)->placement.openDC) deleteDeviceContext(dc);
  tables().windows.erase(reinterpret_cast<std::uintptr_t>(window));
  forgetWindowMessages(window);
  return TRUE;
}

HWND windowNeedingPaint(HWND filter) {
  for (auto& [handle, record] : tables().windows) {
    HWND window = reinterpret_cast<HWND>(handle);
    bool candidate = !filter || filter == reinterpret_cast<HWND>(-1) || filter == window;
    if (candidate && record.visible && record.needsPaint && !record.destroying) return window;
  }
  return nullptr;
}

HWND newestWindow() {
  auto& windows = tables().windows;
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if (!it->second.destroying) return reinterpret_cast<HWND>(it->first);
  }
  return nullptr;
}

void resetWindows() { tables() = Tables(); }

}  // namespace platform

using platform::find;
using platform::handleText;
using platform::joinArgs;
using platform::messageText;
using platform::traceCall;

ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass) {
  bool named = lpWndClass && lpWndClass->lpszClassName;
  if (traceCall("RegisterClassA", [&] { return named ? platform::resourceText(lpWndClass->lpszClassName) : "NULL"; })) {
    return 0;
  }
  if (!named || !lpWndClass->lpfnWndProc || platform::isAtom(lpWndClass->lpszClassName)) return 0;
  if (lpWndClass->cbClsExtra < 0 || lpWndClass->cbWndExtra < 0) return 0;
  if (platform::findClass(lpWndClass->lpszClassName)) return 0;  // ERROR_CLASS_ALREADY_EXISTS
  auto& classes = platform::tables().classes;
  if (classes.size() >= 0xffff - platform::kFirstAtom) return 0;
  classes.push_back({lpWndClass->lpszClassName, lpWndClass->lpfnWndProc, lpWndClass->hInstance});
  return static_cast<ATOM>(platform::kFirstAtom + classes.size() - 1);
}

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                            int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                            void* lpParam) {
  if (traceCall("CreateWindowExA", [&] {
        return platform::createArgs(dwExStyle, lpClassName, lpWindowName, dwStyle, X, Y, nWidth, nHeight, hWndParent,
                                    hMenu, hInstance, lpParam);
      })) {
    return nullptr;
  }
  if (!lpClassName) return nullptr;
  const platform::WindowClass* windowClass = platform::findClass(lpClassName);
  if (!windowClass || (hWndParent && !platform::isWindow(hWndParent))) return nullptr;

  platform::Tables& tables = platform::tables();
  std::uintptr_t handle = tables.nextHandle;
  tables.nextHandle += 2;
  tables.windows[handle] = platform::Window{windowClass->procedure, false, false, false, {}};
  platform::Placement& placement = tables.windows[handle].placement;
  placement.style = static_cast<LONG>(dwStyle);
  placement.width = std::max(nWidth, 0);
  placement.height = std::max(nHeight, 0);
  HWND window = reinterpret_cast<HWND>(handle);

  platform::CreateParameters parameters{lpParam, hInstance,        hMenu,         hWndParent,
                                        nHeight, nWidth,           Y,             X,
                                        static_cast<LONG>(dwStyle), lpWindowName, lpClassName, dwExStyle};
  if (platform::sendToWindow(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&parameters)) == -1) {
    platform::destroyWindow(window);
    return nullptr;
  }
  platform::announcePlacement(window);
  if (dwStyle & platform::kVisibleStyle) platform::showWindow(window, SW_SHOW);
  return platform::isWindow(window) ? window : nullptr;
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
  if (traceCall("ShowWindow", [&] { return joinArgs({handleText(hWnd), platform::showCommandText(nCmdShow)}); })) {
    return FALSE;
  }
  if (nCmdShow < 0 || nCmdShow > platform::kLastShowCommand) return FALSE;
  return platform::showWindow(hWnd, nCmdShow);
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
  if (traceCall("UpdateWindow", [&] { return handleText(hWnd); })) return FALSE;
  platform::Window* record = find(hWnd);
  if (!record) return FALSE;
  if (record->visible && record->needsPaint) platform::sendToWindow(hWnd, WM_PAINT, 0, 0);
  return TRUE;
}

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (traceCall("DefWindowProcA", [&] {
        return joinArgs({handleText(hWnd), messageText(Msg), std::to_string(wParam), std::to_string(lParam)});
      })) {
    return 0;
  }
  platform::Window* record = find(hWnd);
  if (!record) return 0;
  switch (Msg) {
    case WM_CLOSE:
      platform::destroyWindow(hWnd);
      return 0;
    case WM_PAINT:
      record->needsPaint = false;
      return 0;
    default:
      return 0;
  }
}
