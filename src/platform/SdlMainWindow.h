// The main window on SDL2 with its OpenGL surface.
//
// Full screen switches the display to the chosen mode (SDL restores it when
// the window goes); windowed opens a resizable window of the given size.
// One SDL event per pumpMessage(): key-downs go through the key table, a
// close request closes, size changes reach the renderer's resize().
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

  void close() override;
  void pumpMessage() override;
  int outerWidth() const override;
  int outerHeight() const override;

  bool createContext() override;
  void swapBuffers() override;
  std::string description() const override { return description_; }

  // Installs SDL message boxes for reports (interactive runs only).
  static void useSdlMessageBoxes();

 private:
  // F12: the last frame as screenshot-NNNN.png in the working folder.
  void saveScreenshot();

  SDL_Window* window_ = nullptr;
  void* context_ = nullptr;
  std::string failure_;
  std::string description_;
};

}  // namespace wf
