// The debug console on screen: a 270x220 borderless window at (10, 10) that
// stays above the demo, painted with SDL's software renderer from a canvas
// that layout() and the UI font draw into.
//
// Repaints happen in presentIfPending(), which the frame loop calls once per
// frame: prints, key presses and script steps only mark the view stale.
// Every line is also written to stderr (coloured by level when stderr is a
// terminal), so the log outlives the window.
#pragma once
#include <SDL.h>  // Required for: SDL_Window, SDL_Renderer, SDL_Event

#include <memory>

#include "shell/DebugConsole.h"
#include "platform/UiFont.h"

namespace wf {

class DebugConsoleWindow : public DebugConsole {
 public:
  // Opens the window; if that fails, says so in a message box ("ERROR") and
  // lives on without one (the log and stderr still work).
  DebugConsoleWindow();
  ~DebugConsoleWindow() override;

  // Paints and shows the console if anything changed since the last paint.
  void presentIfPending();
  // Events for the console window itself (exposure: paint again). Returns
  // true if the event belonged to it.
  bool handleEvent(const SDL_Event& event);

  bool hasWindow() const { return window_ != nullptr; }
  Uint32 windowId() const { return window_ ? SDL_GetWindowID(window_) : 0; }
  const OffscreenBitmap& canvas() const { return canvas_; }

 private:
  void paint();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  bool videoStarted_ = false;
  UiFont font_;
  OffscreenBitmap canvas_{kWidth, kHeight};
};

// Console mode's start: creates the console, publishes it as the process-wide
// console, enables the inspector and mover and sets the threshold to 50.
// The entry still connects runScriptStep and executeRecord.
std::unique_ptr<DebugConsoleWindow> openDebugConsole();

// The process-wide console window, if console mode is on.
DebugConsoleWindow* currentConsoleWindow();
// Once per frame: repaints the console window if anything changed. Does
// nothing without one.
void presentDebugConsole();
// For the main window's event pump: true if the event was the console
// window's own (exposure, a close request) and needs nothing further.
bool handleDebugConsoleEvent(const SDL_Event& event);

}  // namespace wf
