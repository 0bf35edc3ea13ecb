// The demo application: owns the long-lived services and runs the frame loop.
//
// Construction order matters and is kept: registry (with "Base"), script
// (reads and scans the whole file), renderer (GL context), texture
// generator, music player, and last the frame clock, whose construction is
// time zero of the timeline. A frame is: clock tick (due script steps),
// begin frame, update and draw every object, present, one window message.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "music/SoundOutput.h"  // Required for: DemoPlatform's owned output

namespace wf {

class EngineHost;
class FrameClock;
class GlRenderer;
class ModPlayer;
class TextureGenerator;
class GlSurface;
class MainWindow;
class ObjectRegistry;
class Script;
class TimeSource;

class Application {
 public:
  Application(std::string commandLine, MainWindow* window) : commandLine_(std::move(commandLine)), window_(window) {}
  virtual ~Application() = default;
  virtual void run() = 0;

 protected:
  std::string commandLine_;
  MainWindow* window_;
};

// Where the time of the frames went (diagnostics only, never the timeline).
struct FrameTimings {
  long long frames = 0;
  double scriptSeconds = 0.0;  // clock ticks: the script steps
  double updateSeconds = 0.0;  // every object's update(): transforms, lighting
  double drawSeconds = 0.0;    // every active object's draw(), handing the frame to OpenGL
  // A capture's part: waiting for OpenGL to finish the frame, its read-back,
  // and waiting for the previous frame to be written.
  double captureSeconds = 0.0;
};

// What a run plugs into the engine: where GL draws, where time comes from
// and where the music goes.
struct DemoPlatform {
  GlSurface* surface = nullptr;
  TimeSource* time = nullptr;
  std::unique_ptr<SoundOutput> sound;  // null: the music stays silent
  std::string scriptFile = "mohn.cs";
};

class DemoApp : public Application {
 public:
  // What a run returns when no OpenGL context could be made.
  static constexpr int kNoContextExitStatus = 55;

  // Builds the engine in its fixed order. When the renderer gets no context
  // the construction stops there (the message box has been shown): ready()
  // is false and the run ends with kNoContextExitStatus.
  DemoApp(const std::string& commandLine, MainWindow& window, DemoPlatform platform);
  ~DemoApp() override;
  bool ready() const { return clock_ != nullptr; }

  // Frames until the window is no longer alive.
  void run() override;
  // One frame; `beforePresent` sees the finished picture (captures).
  void runFrame(const std::function<void()>& beforePresent = {});
  // One script step, as the clock runs it.
  void scriptStep();

  ObjectRegistry& registry() { return *registry_; }
  GlRenderer& renderer() { return *renderer_; }
  FrameClock& clock() { return *clock_; }
  ModPlayer& music() { return *music_; }
  const FrameTimings& timings() const { return timings_; }
  Script& script() { return *script_; }

  static DemoApp* current();

 private:
  std::unique_ptr<ObjectRegistry> registry_;
  std::unique_ptr<EngineHost> host_;
  std::unique_ptr<Script> script_;
  std::unique_ptr<GlRenderer> renderer_;
  std::unique_ptr<TextureGenerator> textures_;
  std::unique_ptr<ModPlayer> music_;
  std::unique_ptr<FrameClock> clock_;
  FrameTimings timings_;
};

}  // namespace wf
