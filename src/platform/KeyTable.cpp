#include "platform/KeyTable.h"

#include <SDL2/SDL.h>

#include "core/FrameClock.h"
#include "platform/MainWindow.h"

namespace wf {

int translateSdlKey(int sdlKeycode, int /*sdlModifiers*/) {
  switch (sdlKeycode) {
    case SDLK_ESCAPE: return 0x1B;
    case SDLK_PAUSE: return 0x13;
    default: return 0;
  }
}

void handleKeyDown(int virtualKey) {
  switch (virtualKey) {
    case 0x13:  // Pause works in every mode
      if (FrameClock* clock = FrameClock::current()) clock->paused = !clock->paused;
      break;
    case 0x1B:  // Escape works in every mode
      if (MainWindow* window = MainWindow::current()) window->close();
      break;
    default:
      break;
  }
}

}  // namespace wf
