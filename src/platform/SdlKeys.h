// SDL key events as the virtual-key codes of the key table (shell/KeyTable.h).
#pragma once

namespace wf {

// The virtual-key code of a key-down, or 0 where the key sends no plain
// key-down message (Alt and F10 are system keys; keys with Alt held too;
// Print Screen reports only its release). Letters give 'A'..'Z', digits
// '0'..'9', keypad keys the numeric-keypad codes while NumLock is on (Shift
// inverts that, as Windows keyboards do) and the navigation codes otherwise. `sdlModifiers` is the SDL_Keymod state at the time of the key.
int translateSdlKey(int sdlKeycode, int sdlModifiers);

}  // namespace wf
