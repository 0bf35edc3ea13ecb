// The keyboard: SDL key events become the Windows virtual-key codes the key
// table was written for, and each key-down runs the table.
//
// Escape closes the main window and Pause toggles the frame clock's pause in
// every mode; the other keys drive the debug console (its input line,
// scrolling, the object mover and fast-forwarding) and do nothing without
// one. Every key-down counts, auto-repeats included.
#pragma once

namespace wf {

// Virtual-key codes the table names.
namespace vk {
constexpr int kBack = 0x08, kReturn = 0x0D, kShift = 0x10, kPause = 0x13, kEscape = 0x1B, kSpace = 0x20;
constexpr int kUp = 0x26, kDown = 0x28, kScroll = 0x91, kOemPlus = 0xBB;
constexpr int kNumpad0 = 0x60, kNumpad2 = 0x62;
}  // namespace vk

// The virtual-key code of a key-down, or 0 where the key sends no plain
// key-down message (Alt and F10 are system keys; keys with Alt held too;
// Print Screen reports only its release). Letters give 'A'..'Z', digits
// '0'..'9', keypad keys the numeric-keypad codes while NumLock is on (Shift
// inverts that, as on the original platform) and the navigation codes
// otherwise. `sdlModifiers` is the SDL_Keymod state at the time of the key.
int translateSdlKey(int sdlKeycode, int sdlModifiers);

// The key table, for one key-down of the main window.
void handleKeyDown(int virtualKey);

// Which console mover direction a key code selects, 0 for none.
int moverDirectionForKey(int virtualKey);

}  // namespace wf
