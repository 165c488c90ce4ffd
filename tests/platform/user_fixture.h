// A fresh USER for every test, with one window class whose procedure
// records each message it receives and then behaves as the program's does
// (WM_DESTROY posts the quit message, everything goes to DefWindowProcA).
#ifndef KELVANE_TESTS_PLATFORM_USER_FIXTURE_H
#define KELVANE_TESTS_PLATFORM_USER_FIXTURE_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/headless_host.h"
#include "platform/input_script.h"
#include "platform/trace.h"
#include "platform/user.h"
#include "platform/win32.h"

struct Received {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool windowExisted;  // whether the handle was valid while the message was handled
};

class UserTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Installs a headless host running `script`; fails the test if it does
  // not parse.
  platform::HeadlessHost& useScript(const std::string& script);
  HWND createWindow();
  HWND createShownWindow();

  // The messages received, by message number only.
  static std::vector<UINT> receivedMessages();

  platform::HeadlessHost* host_ = nullptr;

 public:
  static std::vector<Received>& received();
};

#endif
