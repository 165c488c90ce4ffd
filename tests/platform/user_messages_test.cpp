#include <gtest/gtest.h>

#include "platform/trace.h"
#include "platform/user.h"
#include "platform/user_input.h"
#include "user_fixture.h"

namespace {

using Messages = std::vector<UINT>;

TEST_F(UserTest, QuitMessageEndsGetMessageWithZeroWhateverTheWindowFilter) {
  HWND window = createShownWindow();
  PostQuitMessage(7);
  MSG message = {};
  EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE), TRUE);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(GetMessageA(&message, window, 0, 0), 0);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_EQ(message.hwnd, nullptr);
  EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE), FALSE);
}

TEST_F(UserTest, PostedMessagesComeBeforeQuitAndQuitBeforeInput) {
  HWND window = createShownWindow();
  useScript("key 65");
  WaitMessage();  // hands the key over
  PostQuitMessage(0);
  PostMessageA(window, WM_CLOSE, 0, 0);
  MSG message = {};
  Messages order;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) order.push_back(message.message);
  EXPECT_EQ(order, (Messages{WM_CLOSE, WM_QUIT, WM_KEYDOWN}));
}

TEST_F(UserTest, DefaultClosingSendsDestroyThenTheHandleIsGone) {
  HWND window = createShownWindow();
  ASSERT_EQ(PostMessageA(window, WM_CLOSE, 0, 0), TRUE);
  MSG message = {};
  ASSERT_EQ(GetMessageA(&message, window, 0, 0), 1);
  DispatchMessageA(&message);

  // Destroying the active window deactivates it first, as Windows does.
  EXPECT_EQ(receivedMessages(), (Messages{WM_CLOSE, WM_ACTIVATE, WM_KILLFOCUS, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_EQ(LOWORD(received()[1].wParam), WA_INACTIVE);
  for (const Received& during : received()) EXPECT_TRUE(during.windowExisted);

  // The quit message that WM_DESTROY posted is waiting, but the loop's
  // GetMessageA on the destroyed window fails first.
  EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE), TRUE);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(GetMessageA(&message, window, 0, 0), -1);
  EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 0);
}

TEST_F(UserTest, DestroyedWindowLosesItsQueuedMessages) {
  HWND window = createShownWindow();
  PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
  DefWindowProcA(window, WM_CLOSE, 0, 0);
  MSG message = {};
  ASSERT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), TRUE);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), FALSE);
}

TEST_F(UserTest, BadUseGetsTheErrorResultsOfWindows) {
  HWND window = createShownWindow();
  DefWindowProcA(window, WM_CLOSE, 0, 0);
  received().clear();
  MSG message = {window, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};

  EXPECT_EQ(GetMessageA(nullptr, nullptr, 0, 0), -1);
  EXPECT_EQ(PeekMessageA(nullptr, nullptr, 0, 0, PM_REMOVE), FALSE);
  EXPECT_EQ(PeekMessageA(&message, window, 0, 0, PM_REMOVE), FALSE);
  EXPECT_EQ(DispatchMessageA(nullptr), 0);
  EXPECT_EQ(DispatchMessageA(&message), 0);
  EXPECT_EQ(PostMessageA(window, WM_CLOSE, 0, 0), FALSE);
  EXPECT_EQ(DefWindowProcA(window, WM_CLOSE, 0, 0), 0);
  EXPECT_EQ(ShowWindow(window, SW_SHOW), FALSE);
  EXPECT_EQ(UpdateWindow(window), FALSE);
  EXPECT_EQ(SetFocus(window), nullptr);
  EXPECT_EQ(ShowWindow(nullptr, SW_SHOW), FALSE);
  EXPECT_TRUE(received().empty());

  WNDCLASSA windowClass = {};
  EXPECT_EQ(RegisterClassA(nullptr), 0);
  EXPECT_EQ(RegisterClassA(&windowClass), 0);
  windowClass.lpszClassName = "TEST";  // class names ignore case
  windowClass.lpfnWndProc = DefWindowProcA;
  EXPECT_EQ(RegisterClassA(&windowClass), 0);
  EXPECT_EQ(CreateWindowExA(0, "Missing", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(CreateWindowExA(0, nullptr, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(UserTest, MouseMovesCoalesceWithTheLastInputOnly) {
  HWND window = createShownWindow();
  useScript("move 1 2; move 3 4; move 5 6\n"
            "press 5 6; move 7 8; release 9 10; move 11 12; move 13 14\n");
  MSG message = {};
  ASSERT_EQ(GetMessageA(&message, window, 0, 0), 1);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_MOUSEMOVE));
  EXPECT_EQ(message.lParam, MAKELPARAM(5, 6));
  EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), FALSE);

  // Moves between button messages keep their place: the drag to (7, 8)
  // happened with the button down and must not be lost.
  Messages order;
  std::vector<LPARAM> positions;
  ASSERT_EQ(GetMessageA(&message, window, 0, 0), 1);
  do {
    order.push_back(message.message);
    positions.push_back(message.lParam);
  } while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(order, (Messages{WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_MOUSEMOVE}));
  EXPECT_EQ(positions, (std::vector<LPARAM>{MAKELPARAM(5, 6), MAKELPARAM(7, 8), MAKELPARAM(9, 10),
                                             MAKELPARAM(13, 14)}));
}

TEST_F(UserTest, MouseMessagesPackPositionsAndTheButtonAsWindowsDoes) {
  HWND window = createShownWindow();
  useScript("move 639 479; press 10 20; move 30 40; release 50 60");
  WaitMessage();
  MSG message = {};
  std::vector<MSG> messages;
  while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) messages.push_back(message);
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(LOWORD(messages[0].lParam), 639);
  EXPECT_EQ(HIWORD(messages[0].lParam), 479);
  EXPECT_EQ(messages[0].wParam, 0u);
  EXPECT_EQ(messages[1].wParam, static_cast<WPARAM>(MK_LBUTTON));
  EXPECT_EQ(messages[2].wParam, static_cast<WPARAM>(MK_LBUTTON));
  EXPECT_EQ(messages[3].wParam, 0u);
  EXPECT_EQ(messages[3].pt.x, 50);
  EXPECT_EQ(messages[3].pt.y, 60);

  // Full 16-bit coordinates stay positive: nothing sign-extends into lParam.
  platform::InputEvent far{platform::InputEvent::MouseMove};
  far.x = 0xffff;
  far.y = 0x8000;
  platform::deliverInput(far);
  ASSERT_EQ(PeekMessageA(&message, window, 0, 0, PM_REMOVE), TRUE);
  EXPECT_EQ(message.lParam, static_cast<LPARAM>(0x8000ffffu));
  EXPECT_EQ(LOWORD(message.lParam), 0xffff);
  EXPECT_EQ(HIWORD(message.lParam), 0x8000);
}

TEST_F(UserTest, KeysAndCloseRequestsBecomeMessagesForTheWindow) {
  HWND window = createShownWindow();
  useScript("key escape; key 65; close");
  MSG message = {};
  ASSERT_EQ(GetMessageA(&message, window, 0, 0), 1);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(message.wParam, 27u);
  ASSERT_EQ(GetMessageA(&message, window, 0, 0), 1);
  EXPECT_EQ(message.wParam, 65u);
  ASSERT_EQ(GetMessageA(&message, window, 0, 0), 1);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_CLOSE));
  EXPECT_EQ(message.hwnd, window);
}

TEST_F(UserTest, ForegroundChangesArriveAsActivateOnlyWhenTheyChangeSomething) {
  HWND window = createWindow();
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  EXPECT_EQ(receivedMessages(), (Messages{WM_CREATE, WM_SHOWWINDOW, WM_ACTIVATE, WM_SETFOCUS, WM_PAINT}));
  received().clear();

  useScript("activate; deactivate; deactivate; activate");
  MSG message = {};
  std::vector<WORD> states;
  ASSERT_EQ(GetMessageA(&message, window, 0, 0), 1);
  do {
    ASSERT_EQ(message.message, static_cast<UINT>(WM_ACTIVATE));
    states.push_back(LOWORD(message.wParam));
  } while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(states, (std::vector<WORD>{WA_INACTIVE, WA_ACTIVE}));
}

TEST_F(UserTest, WaitMessageHandsOverOneStepAndPeekingNeverDoes) {
  createShownWindow();
  platform::HeadlessHost& host = useScript("key 65\nkey 66; key 67\n");
  MSG message = {};
  EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE), FALSE);
  EXPECT_EQ(host.stepsHandedOver(), 0u);

  EXPECT_EQ(WaitMessage(), TRUE);
  EXPECT_EQ(host.stepsHandedOver(), 1u);
  // Input already waiting: no new step.
  EXPECT_EQ(WaitMessage(), TRUE);
  EXPECT_EQ(host.stepsHandedOver(), 1u);
  ASSERT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), TRUE);
  EXPECT_EQ(message.wParam, 65u);
  EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), FALSE);

  EXPECT_EQ(WaitMessage(), TRUE);
  EXPECT_EQ(host.stepsHandedOver(), 2u);
  EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), TRUE);
  EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), TRUE);
  EXPECT_EQ(message.wParam, 67u);
}

TEST_F(UserTest, WaitingWhenTheScriptHasRunOutEndsTheRun) {
  createShownWindow();
  EXPECT_EXIT(
      {
        useScript("key 65");
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) == 1) DispatchMessageA(&message);
      },
      ::testing::ExitedWithCode(platform::kExitNoMoreInput), "input script ran out after 1 steps");
}

TEST_F(UserTest, WaitingWithoutAnyHostEndsTheRun) {
  EXPECT_EXIT(WaitMessage(), ::testing::ExitedWithCode(platform::kExitNoMoreInput), "no input source");
}

TEST_F(UserTest, MessageRangeFilterKeepsOtherMessagesQueued) {
  HWND window = createShownWindow();
  PostMessageA(window, WM_CLOSE, 0, 0);
  PostMessageA(window, WM_KEYDOWN, 65, 0);
  PostMessageA(nullptr, WM_KEYDOWN, 66, 0);
  MSG message = {};
  ASSERT_EQ(PeekMessageA(&message, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE), TRUE);
  EXPECT_EQ(message.wParam, 65u);
  // A thread message is not the window's.
  EXPECT_EQ(PeekMessageA(&message, window, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE), FALSE);
  ASSERT_EQ(PeekMessageA(&message, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE), TRUE);
  EXPECT_EQ(message.wParam, 66u);
  EXPECT_EQ(DispatchMessageA(&message), 0);  // no window to dispatch to
  ASSERT_EQ(GetMessageA(&message, window, 0, 0), 1);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_CLOSE));
}

TEST_F(UserTest, ShownWindowIsPaintedOnceByUpdateWindowOrTheQueue) {
  HWND window = createWindow();
  ShowWindow(window, SW_SHOW);
  MSG message = {};
  ASSERT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), TRUE);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_PAINT));
  DispatchMessageA(&message);  // DefWindowProcA validates it
  EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), FALSE);
  EXPECT_EQ(UpdateWindow(window), TRUE);
  EXPECT_EQ(receivedMessages().back(), static_cast<UINT>(WM_PAINT));
}

}  // namespace
