#include "shell/KeyTable.h"

#include "base/FrameClock.h"
#include "shell/DebugConsole.h"
#include "base/MainWindow.h"

namespace wf {
namespace {

// Steps run by one Space: ten seconds of timeline.
constexpr int kFastForwardSteps = 1000;

}  // namespace

int moverDirectionForKey(int virtualKey) {
  switch (virtualKey) {
    case 0x63: return 1;   // keypad 3
    case 0x61: return 2;   // keypad 1
    case 0x67: return 3;   // keypad 7
    case 0x69: return 4;   // keypad 9
    case 0x68: return 5;   // keypad 8
    case 0x65: return 6;   // keypad 5
    case 0x64: return 7;   // keypad 4
    case 0x66: return 8;   // keypad 6
    case 0x6E: return 9;   // keypad decimal point
    case 0x60: return 10;  // keypad 0
    case 0x6B: return 11;  // keypad +
    case 0x6D: return 12;  // keypad -
    default: return 0;     // keypad 2 (0x62) included: it types
  }
}

void handleKeyDown(int virtualKey) {
  FrameClock* clock = FrameClock::current();
  if (virtualKey == vk::kPause) {
    if (clock) clock->togglePause();
    return;
  }
  if (virtualKey == vk::kEscape) {
    if (MainWindow* window = MainWindow::current()) window->close();
    return;
  }

  DebugConsole* console = DebugConsole::current();
  // The seek keys, unless the console's input line takes the key.
  if (virtualKey >= vk::kF5 && virtualKey <= vk::kF9 && !(console && console->inputMode)) {
    static const MainWindow::Seek seeks[] = {{true, 0}, {false, -1000}, {false, -100}, {false, 100}, {false, 1000}};
    if (MainWindow* window = MainWindow::current()) window->requestSeek(seeks[virtualKey - vk::kF5]);
    return;
  }
  if (!console || virtualKey <= 0) return;
  switch (virtualKey) {
    case vk::kBack: console->backspace(); return;
    case vk::kReturn: console->enterKey(clock); return;
    case vk::kShift: console->toggleShiftLock(); return;
    case vk::kSpace: console->fastForward(clock, kFastForwardSteps); return;
    case vk::kUp: console->scrollUp(); return;
    case vk::kDown: console->scrollDown(); return;
    case vk::kScroll: console->toggleInputMode(clock); return;
    default: break;
  }
  if (const int direction = moverDirectionForKey(virtualKey)) {
    console->moveObject(console->moveTarget, direction);
    return;
  }
  console->typeKey(virtualKey);
}

}  // namespace wf
