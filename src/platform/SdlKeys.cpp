#include "platform/SdlKeys.h"

#include <SDL.h>  // Required for: SDL_Keycode values, KMOD_* flags

namespace wf {
namespace {

// Keypad keys: the code with NumLock on, and the navigation code without.
struct KeypadKey {
  SDL_Keycode key;
  int numeric;
  int navigation;
};
const KeypadKey kKeypad[] = {
    {SDLK_KP_0, 0x60, 0x2D},       // Insert
    {SDLK_KP_1, 0x61, 0x23},       // End
    {SDLK_KP_2, 0x62, 0x28},       // Down
    {SDLK_KP_3, 0x63, 0x22},       // Page Down
    {SDLK_KP_4, 0x64, 0x25},       // Left
    {SDLK_KP_5, 0x65, 0x0C},       // Clear
    {SDLK_KP_6, 0x66, 0x27},       // Right
    {SDLK_KP_7, 0x67, 0x24},       // Home
    {SDLK_KP_8, 0x68, 0x26},       // Up
    {SDLK_KP_9, 0x69, 0x21},       // Page Up
    {SDLK_KP_PERIOD, 0x6E, 0x2E},  // Delete
    {SDLK_KP_COMMA, 0x6E, 0x2E},   // the decimal key of some layouts
    {SDLK_KP_DECIMAL, 0x6E, 0x2E},
};

struct PlainKey {
  SDL_Keycode key;
  int code;
};
const PlainKey kPlain[] = {
    {SDLK_BACKSPACE, 0x08}, {SDLK_TAB, 0x09}, {SDLK_RETURN, 0x0D}, {SDLK_KP_ENTER, 0x0D},
    {SDLK_RETURN2, 0x0D},   {SDLK_PAUSE, 0x13}, {SDLK_CAPSLOCK, 0x14}, {SDLK_ESCAPE, 0x1B},
    {SDLK_SPACE, 0x20},     {SDLK_PAGEUP, 0x21}, {SDLK_PAGEDOWN, 0x22}, {SDLK_END, 0x23},
    {SDLK_HOME, 0x24},      {SDLK_LEFT, 0x25},  {SDLK_UP, 0x26},       {SDLK_RIGHT, 0x27},
    {SDLK_DOWN, 0x28},      {SDLK_INSERT, 0x2D}, {SDLK_DELETE, 0x2E},  {SDLK_CLEAR, 0x0C},
    {SDLK_LSHIFT, 0x10},    {SDLK_RSHIFT, 0x10}, {SDLK_LCTRL, 0x11},   {SDLK_RCTRL, 0x11},
    {SDLK_LGUI, 0x5B},      {SDLK_RGUI, 0x5C},  {SDLK_APPLICATION, 0x5D},
    {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B}, {SDLK_KP_MINUS, 0x6D}, {SDLK_KP_DIVIDE, 0x6F},
    {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},
    // The punctuation keys by the character they carry: the US layout's,
    // and the German layout's where it differs.
    {SDLK_SEMICOLON, 0xBA}, {SDLK_EQUALS, 0xBB}, {SDLK_PLUS, 0xBB}, {SDLK_COMMA, 0xBC},
    {SDLK_MINUS, 0xBD},     {SDLK_PERIOD, 0xBE}, {SDLK_SLASH, 0xBF},   {SDLK_BACKQUOTE, 0xC0},
    {SDLK_LEFTBRACKET, 0xDB}, {SDLK_BACKSLASH, 0xDC}, {SDLK_RIGHTBRACKET, 0xDD}, {SDLK_QUOTE, 0xDE},
    {SDLK_HASH, 0xBF},      {SDLK_CARET, 0xDC}, {SDLK_LESS, 0xE2},
    {0xFC /* u-umlaut */, 0xBA}, {0xF6 /* o-umlaut */, 0xC0}, {0xE4 /* a-umlaut */, 0xDE},
    {0xDF /* sharp s */, 0xDB},  {0xB4 /* acute accent */, 0xDD},
};

}  // namespace

int translateSdlKey(int sdlKeycode, int sdlModifiers) {
  const SDL_Keycode key = sdlKeycode;
  const int mod = sdlModifiers;
  // Alt turns every key into a system key, which the key table never sees.
  if (mod & KMOD_ALT) return 0;
  if (key == SDLK_LALT || key == SDLK_RALT || key == SDLK_F10 || key == SDLK_PRINTSCREEN) return 0;

  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
  if (key >= SDLK_F13 && key <= SDLK_F24) return 0x7C + (key - SDLK_F13);

  for (const KeypadKey& k : kKeypad) {
    if (k.key != key) continue;
    const bool numLock = (mod & KMOD_NUM) != 0;
    const bool shift = (mod & KMOD_SHIFT) != 0;
    return numLock != shift ? k.numeric : k.navigation;
  }
  for (const PlainKey& k : kPlain)
    if (k.key == key) return k.code;
  return 0;
}

}  // namespace wf
