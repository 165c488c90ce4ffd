// A fresh USER for every test, with one window class whose procedure
// records each message it receives and then behaves as the program's does
// (WM_DESTROY posts the quit message, everything goes to DefWindowProcA).
#ifndef KELVANE_TESTS_PLATFORM_USER_FIXTURE_H
#define KELVANE_TESTS_PLATFORM_USER_FIXTURE_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fresh_platform.h"
#include "platform/host/headless/headless_host.h"
#include "platform/host/headless/input_script.h"
#include "platform/trace/trace.h"
#include "platform/user/user.h"
#include "platform/user/user_windows.h"
#include "platform/win32.h"

struct Received {
  UINT message;
  WPARAM wParam;
  bool windowExisted;  // while the message was handled
};

class UserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TearDown();
    received().clear();
    WNDCLASSA windowClass = {0, record, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "Test"};
    ASSERT_NE(RegisterClassA(&windowClass), 0);
  }
  void TearDown() override { resetPlatform(); }

  static platform::HeadlessHost& useScript(const std::string& script) {
    std::vector<platform::ScriptStep> steps;
    platform::ScriptError error;
    EXPECT_TRUE(platform::parseInputScript(script, steps, error)) << error.text();
    auto host = std::make_unique<platform::HeadlessHost>(std::move(steps));
    platform::HeadlessHost& installed = *host;
    platform::setHost(std::move(host));
    return installed;
  }
  // A shown and painted window; what it received on the way is in received().
  static HWND createShownWindow() {
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "Test", "Test", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                                  platform::programInstance(), nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return window;
  }
  static std::vector<Received>& received() {
    static std::vector<Received> messages;
    return messages;
  }
  // Every message waiting, taken off the queue in order.
  static std::vector<MSG> drain() {
    std::vector<MSG> messages;
    for (MSG message = {}; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) messages.push_back(message);
    return messages;
  }

 private:
  static LRESULT CALLBACK record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    received().push_back({message, wParam, platform::isWindow(window)});
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
  }
};

#endif
