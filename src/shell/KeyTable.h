// The key table: what each key-down of the main window does, by its
// virtual-key code (the platform translates its key events to these codes).
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
// The seek keys: F5 back to the start, F6 and F7 back by ten and by one
// second, F8 and F9 on by one and by ten seconds.
constexpr int kF5 = 0x74, kF9 = 0x78;
}  // namespace vk

// The key table, for one key-down of the main window.
void handleKeyDown(int virtualKey);

// Which console mover direction a key code selects, 0 for none.
int moverDirectionForKey(int virtualKey);

}  // namespace wf
