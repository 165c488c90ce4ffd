#include "user_fixture.h"

#include "platform/user_windows.h"

namespace {

LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  UserTest::received().push_back({window, message, wParam, lParam, platform::isWindow(window)});
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void UserTest::SetUp() {
  platform::setHost(nullptr);
  platform::resetUser();
  platform::clearTrace();
  platform::setCallLogging(false);
  received().clear();
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = recordingProc;
  windowClass.lpszClassName = "Test";
  ASSERT_NE(RegisterClassA(&windowClass), 0);
}

void UserTest::TearDown() {
  platform::resetUser();
  platform::setHost(nullptr);
  platform::clearTrace();
}

platform::HeadlessHost& UserTest::useScript(const std::string& script) {
  std::vector<platform::ScriptStep> steps;
  platform::ScriptError error;
  EXPECT_TRUE(platform::parseInputScript(script, steps, error)) << error.text();
  auto host = std::make_unique<platform::HeadlessHost>(std::move(steps));
  host_ = host.get();
  platform::setHost(std::move(host));
  return *host_;
}

HWND UserTest::createWindow() {
  return CreateWindowExA(WS_EX_TOPMOST, "Test", "Test", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                         platform::programInstance(), nullptr);
}

HWND UserTest::createShownWindow() {
  HWND window = createWindow();
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  received().clear();
  return window;
}

std::vector<Received>& UserTest::received() {
  static std::vector<Received> messages;
  return messages;
}

std::vector<UINT> UserTest::receivedMessages() {
  std::vector<UINT> messages;
  for (const Received& message : received()) messages.push_back(message.message);
  return messages;
}
