// The platform's test instrument: a log of the calls the program made, with
// their arguments, and fault injection by call name. Every entry point of
// the subset reports itself here first; tests read the log and arm faults.
//
// A log line is the call as code would write it, arguments separated by ", ":
//   LineTo(dc1, 105, 100)
//   Blt(surface2, {0,0,640,480}, NULL, NULL, 0x1000400, {size=100,fill=0})
// - Numbers in decimal; flags, colours (six digits) and unknown handles in
//   hex; null pointers as NULL.
// - GDI objects by kind and number in order of creation: dc1, pen2, brush3;
//   the stock defaults as BLACK_PEN and WHITE_BRUSH.
// - DirectDraw objects likewise: ddraw1, and surface1, surface2 for a
//   primary and its back buffer. A method is logged by its name with its
//   object first: Flip(surface1, NULL, 0x1), Release(surface2).
// - Out-parameters by what they receive (&directDraw, &surface, &dc,
//   &point); structures by the fields that matter, in braces: RECT
//   {l,t,r,b}, POINT arrays {(x,y),(x,y)}, DDSCAPS {caps=0x4},
//   DDSURFACEDESC {size=...,flags=0x21,caps=0x218,backbuffers=1}.
// - Release cannot fail, so an armed fault does not touch it.
#ifndef KELVANE_PLATFORM_TRACE_H
#define KELVANE_PLATFORM_TRACE_H

#include <string>
#include <type_traits>
#include <vector>

namespace platform {

namespace trace_detail {
// True while the log is on or a fault is armed; otherwise a traced call
// costs this one test and formats nothing.
extern bool active;
void log(const char* name, const std::string& args);
bool isLogging();
bool fires(const char* name);
}  // namespace trace_detail

// Records "Name(args)" when logging is on and tells whether this call must
// fail. Entry points then return the failure result the real call gives.
// `args` is the argument text, or a function that makes it, called only
// when the line is logged.
template <class Args>
bool traceCall(const char* name, const Args& args) {
  if (!trace_detail::active) return false;
  if (trace_detail::isLogging()) {
    if constexpr (std::is_invocable_v<const Args&>) {
      trace_detail::log(name, args());
    } else {
      trace_detail::log(name, args);
    }
  }
  return trace_detail::fires(name);
}
inline bool traceCall(const char* name) { return traceCall(name, ""); }

// The n-th call of `name` from now on (1 = the next one) fails; with
// `persistent`, that call and every later one fail.
void failCall(const std::string& name, int nth = 1, bool persistent = false);

// Faults that are events rather than failing calls, such as a mode change
// by another program: the API that can suffer one installs a hook under a
// name, so that whoever injects the fault needs to know only the name.
using FaultHook = void (*)();
void setFaultHook(const std::string& name, FaultHook hook);
// Runs the hook installed under `name`; false when none is.
bool injectFault(const std::string& name);
// DirectDraw's hook: every surface is lost at once.
inline constexpr const char* kLoseSurfaces = "LoseSurfaces";

void setCallLogging(bool on);
const std::vector<std::string>& callLog();
void clearTrace();  // forgets the log and every armed fault

}  // namespace platform

#endif
