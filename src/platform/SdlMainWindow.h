// The main window on SDL2 with its OpenGL surface.
//
// Full screen switches the display to the chosen mode (SDL restores it when
// the window goes); windowed opens a resizable window of the given size.
// The window is black from the moment it exists. One SDL event per
// pumpMessage(): key-downs go through the key table, a close request closes,
// size changes reach the renderer's resize(). F12, after the key table, saves
// the next finished frame (read before its swap, so exactly what is then on
// screen) as screenshot-NNNN.png in the screenshot folder.
#pragma once
#include <string>

#include "base/GlSurface.h"
#include "base/MainWindow.h"

struct SDL_Window;

namespace wf {

class SdlMainWindow : public MainWindow, public GlSurface {
 public:
  SdlMainWindow(int width, int height, bool fullScreen);
  ~SdlMainWindow() override;

  // Why the window could not be made, when isAlive() is false after construction.
  const std::string& failure() const { return failure_; }
  SDL_Window* sdlWindow() const { return window_; }
  // Where F12 saves its pictures (empty: the working folder).
  void setScreenshotFolder(const std::string& folder) { screenshotFolder_ = folder; }

  // Whether there is a display to open windows on; `why` says what is
  // missing. SDL would otherwise fall back to an invisible offscreen display.
  static bool displayAvailable(std::string& why);

  void close() override;
  void pumpMessage() override;
  int outerWidth() const override;
  int outerHeight() const override;

  bool createContext() override;
  void swapBuffers() override;
  std::string description() const override { return description_; }

  // Installs message boxes for reports (interactive runs only), owned by the
  // main window while one exists.
  static void useSdlMessageBoxes();

 private:
  // The frame just drawn, before its swap, as the next free screenshot-NNNN.png.
  void saveScreenshot();

  SDL_Window* window_ = nullptr;
  void* context_ = nullptr;
  std::string failure_;
  std::string description_;
  std::string screenshotFolder_;
  bool screenshotPending_ = false;
};

}  // namespace wf
