#include "platform/sdl_input.h"

#include <gtest/gtest.h>

#include "platform/win32.h"

namespace {

using platform::InputEvent;

SDL_Event mouse(Uint32 type, Sint32 x, Sint32 y, Uint8 button = SDL_BUTTON_LEFT) {
  SDL_Event event = {};
  event.type = type;
  if (type == SDL_MOUSEMOTION) {
    event.motion.x = x;
    event.motion.y = y;
  } else {
    event.button.x = x;
    event.button.y = y;
    event.button.button = button;
  }
  return event;
}

SDL_Event windowEvent(Uint8 which) {
  SDL_Event event = {};
  event.type = SDL_WINDOWEVENT;
  event.window.event = which;
  return event;
}

TEST(SdlInput, KeysBecomeVirtualKeyCodes) {
  EXPECT_EQ(platform::virtualKeyOf(SDLK_ESCAPE), 27u);
  EXPECT_EQ(platform::virtualKeyOf(SDLK_z), static_cast<unsigned>('Z'));
  EXPECT_EQ(platform::virtualKeyOf(SDLK_9), static_cast<unsigned>('9'));
  EXPECT_EQ(platform::virtualKeyOf(SDLK_DOWN), static_cast<unsigned>(VK_DOWN));
  EXPECT_EQ(platform::virtualKeyOf(SDLK_F12), 0x7Bu);
  EXPECT_EQ(platform::virtualKeyOf(SDLK_VOLUMEUP), 0u);

  SDL_Event key = {};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_ESCAPE;
  InputEvent event;
  ASSERT_TRUE(platform::translateSdlEvent(key, event));
  EXPECT_EQ(event.kind, InputEvent::KeyDown);
  EXPECT_EQ(event.key, 27u);
  key.key.keysym.sym = SDLK_VOLUMEUP;
  EXPECT_FALSE(platform::translateSdlEvent(key, event));
  key.type = SDL_KEYUP;
  key.key.keysym.sym = SDLK_ESCAPE;
  EXPECT_FALSE(platform::translateSdlEvent(key, event));
}

TEST(SdlInput, MousePositionsAreClampedToTheFrame) {
  InputEvent event;
  ASSERT_TRUE(platform::translateSdlEvent(mouse(SDL_MOUSEMOTION, 320, 240), event));
  EXPECT_EQ(event.kind, InputEvent::MouseMove);
  EXPECT_EQ(event.x, 320);
  EXPECT_EQ(event.y, 240);
  // The bars beside a letterboxed frame report positions outside it.
  ASSERT_TRUE(platform::translateSdlEvent(mouse(SDL_MOUSEBUTTONDOWN, -40, 900), event));
  EXPECT_EQ(event.kind, InputEvent::LeftDown);
  EXPECT_EQ(event.x, 0);
  EXPECT_EQ(event.y, 479);
  ASSERT_TRUE(platform::translateSdlEvent(mouse(SDL_MOUSEBUTTONUP, 700, -1), event));
  EXPECT_EQ(event.kind, InputEvent::LeftUp);
  EXPECT_EQ(event.x, 639);
  EXPECT_EQ(event.y, 0);
  EXPECT_FALSE(platform::translateSdlEvent(mouse(SDL_MOUSEBUTTONDOWN, 1, 1, SDL_BUTTON_RIGHT), event));
}

TEST(SdlInput, WindowEventsBecomeFocusAndClose) {
  InputEvent event;
  ASSERT_TRUE(platform::translateSdlEvent(windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), event));
  EXPECT_EQ(event.kind, InputEvent::Activate);
  ASSERT_TRUE(platform::translateSdlEvent(windowEvent(SDL_WINDOWEVENT_FOCUS_LOST), event));
  EXPECT_EQ(event.kind, InputEvent::Deactivate);
  EXPECT_FALSE(platform::translateSdlEvent(windowEvent(SDL_WINDOWEVENT_EXPOSED), event));
  SDL_Event quit = {};
  quit.type = SDL_QUIT;
  ASSERT_TRUE(platform::translateSdlEvent(quit, event));
  EXPECT_EQ(event.kind, InputEvent::Close);
}

}  // namespace
