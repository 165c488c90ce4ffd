#include "platform/host/sdl/sdl_input.h"

#include <algorithm>

#include "platform/win32.h"

namespace platform {
namespace {

struct KeyMapping {
  SDL_Keycode key;
  unsigned virtualKey;
};

constexpr KeyMapping kKeys[] = {
    {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN}, {SDLK_SPACE, VK_SPACE},
    {SDLK_BACKSPACE, 0x08},   {SDLK_TAB, 0x09},         {SDLK_LEFT, VK_LEFT},       {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},   {SDLK_DOWN, VK_DOWN},     {SDLK_PAGEUP, 0x21},        {SDLK_PAGEDOWN, 0x22},
    {SDLK_END, 0x23},         {SDLK_HOME, 0x24},        {SDLK_INSERT, 0x2D},        {SDLK_DELETE, 0x2E},
    {SDLK_LSHIFT, 0x10},      {SDLK_RSHIFT, 0x10},      {SDLK_LCTRL, 0x11},         {SDLK_RCTRL, 0x11},
    {SDLK_LALT, 0x12},        {SDLK_RALT, 0x12},        {SDLK_EQUALS, 0xBB},        {SDLK_PLUS, 0xBB},
    {SDLK_MINUS, 0xBD},       {SDLK_KP_PLUS, 0x6B},     {SDLK_KP_MINUS, 0x6D},
};
constexpr unsigned kVirtualKeyF1 = 0x70;

InputEvent mouseEvent(InputEvent::Kind kind, Sint32 x, Sint32 y, SDL_Point area) {
  InputEvent event{kind};
  event.x = std::clamp<Sint32>(x, 0, std::max(area.x - 1, 0));
  event.y = std::clamp<Sint32>(y, 0, std::max(area.y - 1, 0));
  return event;
}

}  // namespace

unsigned virtualKeyOf(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + static_cast<unsigned>(key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + static_cast<unsigned>(key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return kVirtualKeyF1 + static_cast<unsigned>(key - SDLK_F1);
  for (const KeyMapping& mapping : kKeys) {
    if (mapping.key == key) return mapping.virtualKey;
  }
  return 0;
}

bool translateSdlEvent(const SDL_Event& sdlEvent, InputEvent& event, SDL_Point area) {
  switch (sdlEvent.type) {
    case SDL_MOUSEMOTION:
      event = mouseEvent(InputEvent::MouseMove, sdlEvent.motion.x, sdlEvent.motion.y, area);
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (sdlEvent.button.button != SDL_BUTTON_LEFT) return false;
      event = mouseEvent(sdlEvent.type == SDL_MOUSEBUTTONDOWN ? InputEvent::LeftDown : InputEvent::LeftUp,
                         sdlEvent.button.x, sdlEvent.button.y, area);
      return true;
    case SDL_KEYDOWN:
      event = InputEvent{InputEvent::KeyDown};
      event.key = virtualKeyOf(sdlEvent.key.keysym.sym);
      event.alt = (sdlEvent.key.keysym.mod & KMOD_ALT) != 0;
      return event.key != 0;
    // Closing the window also ends in SDL_QUIT, as does an interrupt
    // signal, so that one event stands for every close request.
    case SDL_QUIT:
      event = InputEvent{InputEvent::Close};
      return true;
    case SDL_WINDOWEVENT:
      if (sdlEvent.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
        event = InputEvent{InputEvent::Activate};
        return true;
      }
      if (sdlEvent.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        event = InputEvent{InputEvent::Deactivate};
        return true;
      }
      if (sdlEvent.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        event = InputEvent{InputEvent::Resize};
        event.x = sdlEvent.window.data1;
        event.y = sdlEvent.window.data2;
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace platform
