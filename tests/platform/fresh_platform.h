// The platform as a new process finds it, for suites that run many tests
// in one process: no windows, queued messages (a quit message left by the
// last run included), DirectDraw or GDI objects, host, call log or armed
// faults.
#ifndef KELVANE_TESTS_PLATFORM_FRESH_PLATFORM_H
#define KELVANE_TESTS_PLATFORM_FRESH_PLATFORM_H

#include "platform/ddraw/direct_draw_state.h"
#include "platform/host/host.h"
#include "platform/trace/trace.h"
#include "platform/user/user.h"

inline void resetPlatform() {
  platform::resetDirectDraw();
  platform::resetUser();
  platform::setHost(nullptr);
  platform::clearTrace();
  platform::setCallLogging(false);
}

#endif
