// The stock resources of USER. The program's own module carries no
// resources, so only the system's icon and arrow cursor exist.
#include <cstdint>

#include "platform/host/host.h"
#include "platform/trace/trace.h"
#include "platform/trace/call_format.h"
#include "platform/win32.h"

namespace {

constexpr std::uintptr_t kStockResourceId = 32512;  // IDI_APPLICATION, IDC_ARROW

// Fixed handle values for the two stock objects; nothing dereferences them.
const HICON kApplicationIcon = reinterpret_cast<HICON>(std::uintptr_t{0x10003});
const HCURSOR kArrowCursor = reinterpret_cast<HCURSOR>(std::uintptr_t{0x10005});

bool isStockId(LPCSTR name) { return reinterpret_cast<std::uintptr_t>(name) == kStockResourceId; }

std::string resourceArgs(HINSTANCE instance, LPCSTR name) {
  return platform::joinArgs({platform::handleText(instance), platform::resourceText(name)});
}

}  // namespace

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
  if (platform::traceCall("LoadIconA", [&] { return resourceArgs(hInstance, lpIconName); })) return nullptr;
  return !hInstance && isStockId(lpIconName) ? kApplicationIcon : nullptr;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
  if (platform::traceCall("LoadCursorA", [&] { return resourceArgs(hInstance, lpCursorName); })) return nullptr;
  return !hInstance && isStockId(lpCursorName) ? kArrowCursor : nullptr;
}

int WINAPI GetSystemMetrics(int nIndex) {
  if (platform::traceCall("GetSystemMetrics", [&] {
        return nIndex == SM_CXSCREEN ? "SM_CXSCREEN" : nIndex == SM_CYSCREEN ? "SM_CYSCREEN" : std::to_string(nIndex);
      })) {
    return 0;
  }
  switch (nIndex) {
    case SM_CXSCREEN: return platform::host().screenWidth();
    case SM_CYSCREEN: return platform::host().screenHeight();
    default: return 0;
  }
}
