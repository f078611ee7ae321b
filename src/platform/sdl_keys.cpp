#include "platform/sdl_keys.h"

namespace platform::sdl {
namespace {

struct KeyPair {
  SDL_Keycode sdl;
  uint32_t vk;
};

// Keys whose codes do not follow from a range.
constexpr KeyPair kNamedKeys[] = {
    {SDLK_BACKSPACE, 8},
    {SDLK_TAB, 9},
    {SDLK_RETURN, 13},
    {SDLK_KP_ENTER, 13},
    {SDLK_PAUSE, 19},
    {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, 27},
    {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},
    {SDLK_END, 35},
    {SDLK_HOME, 36},
    {SDLK_LEFT, 37},
    {SDLK_UP, 38},
    {SDLK_RIGHT, 39},
    {SDLK_DOWN, 40},
    {SDLK_PRINTSCREEN, 44},
    {SDLK_INSERT, 45},
    {SDLK_DELETE, 46},
    {SDLK_LGUI, 0x5B},
    {SDLK_RGUI, 0x5C},
    {SDLK_APPLICATION, 0x5D},
    {SDLK_KP_MULTIPLY, 0x6A},
    {SDLK_KP_PLUS, 0x6B},
    {SDLK_KP_MINUS, 0x6D},
    {SDLK_KP_PERIOD, 0x6E},
    {SDLK_KP_DIVIDE, 0x6F},
    {SDLK_NUMLOCKCLEAR, 0x90},
    {SDLK_SCROLLLOCK, 0x91},
    {SDLK_LSHIFT, kVkShift},
    {SDLK_RSHIFT, kVkShift},
    {SDLK_LCTRL, kVkControl},
    {SDLK_RCTRL, kVkControl},
    {SDLK_LALT, kVkMenu},
    {SDLK_RALT, kVkMenu},
    {SDLK_SEMICOLON, 0xBA},
    {SDLK_EQUALS, 0xBB},
    {SDLK_COMMA, 0xBC},
    {SDLK_MINUS, 0xBD},
    {SDLK_PERIOD, 0xBE},
    {SDLK_SLASH, 0xBF},
    {SDLK_BACKQUOTE, 0xC0},
    {SDLK_LEFTBRACKET, 0xDB},
    {SDLK_BACKSLASH, 0xDC},
    {SDLK_RIGHTBRACKET, 0xDD},
    {SDLK_QUOTE, 0xDE},
};

constexpr SDL_Keycode kKeypadDigits[] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                         SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};

}  // namespace

uint32_t VirtualKey(const SDL_Keysym& key) {
  const SDL_Keycode code = key.sym;
  if (code >= SDLK_a && code <= SDLK_z) return static_cast<uint32_t>('A' + (code - SDLK_a));
  if (code >= SDLK_0 && code <= SDLK_9) return static_cast<uint32_t>('0' + (code - SDLK_0));
  if (code >= SDLK_F1 && code <= SDLK_F12) return kVkF1 + static_cast<uint32_t>(code - SDLK_F1);
  if (code >= SDLK_F13 && code <= SDLK_F24) return kVkF1 + 12 + static_cast<uint32_t>(code - SDLK_F13);
  for (uint32_t digit = 0; digit < 10; ++digit) {
    if (code == kKeypadDigits[digit]) return 0x60 + digit;  // VK_NUMPAD0..9
  }
  for (const KeyPair& pair : kNamedKeys) {
    if (pair.sdl == code) return pair.vk;
  }
  return 0;
}

int64_t KeyLParam(bool down, bool repeat) {
  int64_t lParam = 1;                        // repeat count
  if (repeat || !down) lParam |= 1LL << 30;  // the key was down before
  if (!down) lParam |= 1LL << 31;            // transition: released
  return lParam;
}

}  // namespace platform::sdl
