// The engine without a display: an EGL surface of the chosen mode's size,
// the virtual clock, and the virtual sound device that mixes in step with
// it. Reports never block here. Used by the render and dump runs.
#pragma once
#include <memory>

#include "app/DemoApp.h"
#include "app/Options.h"
#include "base/FrameClock.h"
#include "base/MainWindow.h"
#include "music/VirtualSoundOutput.h"
#include "platform/EglHeadlessSurface.h"

namespace wf {

class HeadlessEngine {
 public:
  explicit HeadlessEngine(const Options& options);
  ~HeadlessEngine();

  // Builds the engine; call once whatever the run prepares first is ready.
  // Null when no OpenGL context could be made (the message is shown then,
  // and the run returns DemoApp::kNoContextExitStatus).
  DemoApp* start(const Options& options);

  HeadlessWindow& window() { return window_; }
  VirtualTimeSource& time() { return time_; }
  VirtualSoundOutput& audio() { return *audio_; }

 private:
  ModeChoice size_;
  HeadlessWindow window_;
  EglHeadlessSurface surface_;
  VirtualTimeSource time_;
  VirtualSoundOutput* audio_ = nullptr;
  std::unique_ptr<DemoApp> app_;
};

}  // namespace wf
