// The keyboard of the main window, in the virtual-key codes the key table
// was designed with (0x1B Escape, 0x13 Pause, 0x60..0x69 keypad digits, ...).
#pragma once

namespace wf {

// SDL key symbol and modifier state to a virtual-key code; 0 for keys the
// engine does not know.
int translateSdlKey(int sdlKeycode, int sdlModifiers);

// Acts on one key-down, auto-repeats included.
void handleKeyDown(int virtualKey);

}  // namespace wf
