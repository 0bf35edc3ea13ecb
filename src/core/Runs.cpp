#include "core/Runs.h"

#include <sys/stat.h>  // Required for: mkdir()
#include <unistd.h>    // Required for: isatty()

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/Console.h"
#include "core/DemoApp.h"
#include "core/DisplaySettings.h"
#include "core/FrameClock.h"
#include "core/Report.h"
#include "core/SceneDump.h"
#include "music/ModPlayer.h"
#include "music/ModuleTools.h"
#include "music/SdlSoundOutput.h"
#include "music/VirtualSoundOutput.h"
#include "platform/DebugConsoleWindow.h"
#include "platform/EglHeadlessSurface.h"
#include "platform/GlRenderer.h"
#include "platform/MainWindow.h"
#include "platform/PngFile.h"
#include "platform/SdlMainWindow.h"
#include "platform/StartupDialog.h"
#include "platform/StartupDialogWindow.h"
#include "platform/VideoEncoder.h"
#include "scene/ObjectRegistry.h"
#include "script/Script.h"

namespace wf {
namespace {

constexpr double kLongestRenderSeconds = 30.0 * 60.0;

void logTimings(const FrameTimings& t) {
  if (t.frames <= 0) return;
  const double n = static_cast<double>(t.frames);
  char line[200];
  std::snprintf(line, sizeof line, "per frame: script %.2f ms, updates %.2f ms, drawing %.2f ms (%lld frames)",
                1000.0 * t.scriptSeconds / n, 1000.0 * t.updateSeconds / n, 1000.0 * t.drawSeconds / n, t.frames);
  logDiagnostic(line);
}

bool makeDirectory(const std::string& path, std::string& error) {
  if (::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return true;
    error = path + " exists and is not a folder";
    return false;
  }
  error = "cannot create " + path + ": " + std::strerror(errno);
  return false;
}

}  // namespace

int runInteractive(const Options& options) {
  const double startSeconds = SteadyTimeSource().now();
  DisplaySettings& display = displaySettings();
  display.fullScreen = false;
  int width = 640, height = 480;
  std::unique_ptr<DebugConsoleWindow> console;
  if (options.consoleMode) {
    // Before the main window, so the focus ends up on the demo.
    console = openDebugConsole();
  } else if (options.xpMode) {
    width = 800;
    height = 600;
    display.fullScreen = true;
  } else if (!options.modeGiven && !options.qualityGiven) {
    const DialogResult choice = runStartupDialog();
    if (choice.exitStatus != 0) return choice.exitStatus;  // 31 Escape, 30 closed
    applyDialogChoice(choice, display);
    // The nominal 200 x 200 of the windowed choice gives way to our window size.
    const ModeChoice mode{choice.resolution >= 0 && choice.resolution <= 3 ? choice.resolution : 0};
    width = mode.width();
    height = mode.height();
    display.fullScreen = mode.fullScreen();
  } else {
    ModeChoice mode = options.mode;
    width = mode.width();
    height = mode.height();
    display.fullScreen = mode.fullScreen();
    display.detailLevel = options.quality;
  }
  display.screenWidth = width;
  display.screenHeight = height;

  SdlMainWindow::useSdlMessageBoxes();
  SdlMainWindow window(width, height, display.fullScreen);
  if (!window.isAlive()) {
    setMessageBoxHandler(nullptr);
    std::fprintf(stderr,
                 "wolkenfahrt: %s.\n"
                 "To make pictures without a display, render to files instead, e.g.\n"
                 "  wolkenfahrt --render frames --seconds 10\n",
                 window.failure().c_str());
    setCurrentConsole(nullptr);
    return 1;
  }
  logDiagnostic("window " + std::to_string(window.outerWidth()) + "x" + std::to_string(window.outerHeight()) +
                (display.fullScreen ? " full screen" : " windowed") + ", quality " +
                std::to_string(display.detailLevel));
  SteadyTimeSource time;
  DemoPlatform platform;
  platform.surface = &window;
  platform.time = &time;
  platform.sound = std::make_unique<SdlSoundOutput>();
  {
    DemoApp app(options.commandLine, window, std::move(platform));
    app.runFrame();
    logDiagnostic("first frame " + std::to_string(static_cast<int>(1000.0 * (time.now() - startSeconds))) +
                  " ms after start");
    app.run();
    logTimings(app.timings());
  }
  setCurrentConsole(nullptr);
  return 0;
}

namespace {

bool endsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// One status line, rewritten in place, when stderr is a terminal.
class Progress {
 public:
  explicit Progress(double totalSeconds) : total_(totalSeconds), terminal_(isatty(fileno(stderr)) != 0) {}
  void update(long long frames, double demoSeconds) {
    if (!terminal_) return;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    if (wall - lastPrint_ < 0.25) return;
    lastPrint_ = wall;
    const double speed = wall > 0 ? demoSeconds / wall : 0.0;
    std::fprintf(stderr, "\r%lld frames, %.1f s of demo, %.2fx real time", frames, demoSeconds, speed);
    if (total_ > 0 && speed > 0) std::fprintf(stderr, ", ETA %.0f s   ", (total_ - demoSeconds) / speed);
    std::fflush(stderr);
  }
  void done() {
    if (terminal_ && lastPrint_ > 0) std::fputc('\n', stderr);
  }

 private:
  double total_;
  bool terminal_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  double lastPrint_ = 0.0;
};


}  // namespace

// The engine without a display: an EGL surface of the chosen mode's size,
// the virtual clock, and the virtual sound device that mixes in step with it.
// Reports never block here.
class HeadlessEngine {
 public:
  explicit HeadlessEngine(const Options& options)
      : size_(applyHeadlessDisplay(options)), window_(size_.width(), size_.height()),
        surface_(size_.width(), size_.height()) {}

  // Builds the engine; call once whatever the run prepares first is ready.
  DemoApp& start(const Options& options) {
    DemoPlatform platform;
    platform.surface = &surface_;
    platform.time = &time_;
    auto sound = std::make_unique<VirtualSoundOutput>();
    audio_ = sound.get();
    platform.sound = std::move(sound);
    app_ = std::make_unique<DemoApp>(options.commandLine, window_, std::move(platform));
    app_->setWaitForDrawing(true);
    return *app_;
  }

  HeadlessWindow& window() { return window_; }
  VirtualTimeSource& time() { return time_; }
  VirtualSoundOutput& audio() { return *audio_; }

 private:
  static ModeChoice applyHeadlessDisplay(const Options& options) {
    setMessageBoxHandler(nullptr);
    DisplaySettings& display = displaySettings();
    display.screenWidth = options.mode.width();
    display.screenHeight = options.mode.height();
    display.fullScreen = false;
    display.detailLevel = options.quality;
    return options.mode;
  }

  ModeChoice size_;
  HeadlessWindow window_;
  EglHeadlessSurface surface_;
  VirtualTimeSource time_;
  VirtualSoundOutput* audio_ = nullptr;
  std::unique_ptr<DemoApp> app_;
};

int runRender(const Options& options) {
  HeadlessEngine engine(options);
  const DisplaySettings& display = displaySettings();
  const bool video = endsWith(options.output, ".mp4") || endsWith(options.output, ".MP4");
  std::string error;
  if (!video && !makeDirectory(options.output, error)) {
    std::fprintf(stderr, "wolkenfahrt: %s\n", error.c_str());
    return 1;
  }
  std::unique_ptr<VideoEncoder> encoder;
  if (video) {
    encoder = std::make_unique<VideoEncoder>(options.output, display.screenWidth, display.screenHeight, options.fps);
    if (!encoder->open(error)) {
      std::fprintf(stderr, "wolkenfahrt: %s\n", error.c_str());
      return 1;
    }
  }
  // Without --seconds the demo runs until its script ends it; a script that
  // never does is cut after half an hour rather than filling the disk.
  const bool untilEnd = options.seconds < 0;
  const double seconds = untilEnd ? kLongestRenderSeconds : options.seconds;
  const long long frames = std::llround(seconds * options.fps);

  DemoApp& app = engine.start(options);
  HeadlessWindow& window = engine.window();
  VirtualSoundOutput* audio = &engine.audio();

  Progress progress(untilEnd ? 0.0 : seconds);
  char name[64];
  long long frame = 0;
  for (; frame < frames && window.isAlive(); ++frame) {
    // Frame k shows the timeline at (k + 1) / fps: the first frame already
    // carries the first steps, as with a real clock.
    const double now = static_cast<double>(frame + 1) / options.fps;
    engine.time().set(now);
    bool written = true;
    app.runFrame([&] {
      int w = 0, h = 0;
      std::vector<uint8_t> rgb = app.renderer().readFrameRgb(w, h);
      if (encoder) {
        written = encoder->addFrame(rgb.data(), error);
      } else {
        std::snprintf(name, sizeof name, "/frame-%05lld.png", frame);
        written = writePng(options.output + name, w, h, 3, rgb.data(), &error);
      }
    });
    audio->advanceTo(now);
    if (!written) {
      progress.done();
      std::fprintf(stderr, "wolkenfahrt: %s\n", error.c_str());
      return 1;
    }
    progress.update(frame + 1, now);
  }
  progress.done();
  if (untilEnd && window.isAlive())
    std::fprintf(stderr, "wolkenfahrt: the script did not end within %.0f s; stopped there\n", seconds);
  const std::string wavPath = video ? options.output + ".audio.wav" : options.output + "/audio.wav";
  if (!audio->writeWav(wavPath)) {
    std::fprintf(stderr, "wolkenfahrt: cannot write %s\n", wavPath.c_str());
    return 1;
  }
  if (encoder) {
    const bool ok = encoder->finish(wavPath, error);
    std::remove(wavPath.c_str());
    if (!ok) {
      std::fprintf(stderr, "wolkenfahrt: %s\n", error.c_str());
      return 1;
    }
  }
  logDiagnostic("rendered " + std::to_string(frame) + " frames to " + options.output);
  logTimings(app.timings());
  return 0;
}

int runDumpScene(const Options& options) {
  HeadlessEngine engine(options);
  DisplaySettings& display = displaySettings();

  // Reports behave as in console mode: every line is recorded for the dump.
  ConsoleLog console;
  console.setThreshold(ConsoleLog::kDefaultThreshold);
  console.setMirror(stderr, isatty(fileno(stderr)) != 0);
  setCurrentConsole(&console);

  std::string text;
  {
    DemoApp& app = engine.start(options);
    VirtualSoundOutput* audio = &engine.audio();
    for (long long step = 0; step < options.steps; ++step) {
      app.clock().clockStep();
      audio->advanceTo(static_cast<double>(step + 1) * FrameClock::kStepSeconds);
    }
    app.renderer().beginFrame();
    app.registry().renderAll();

    const std::string music = musicStateJson(app.music());
    SceneDumpInput input;
    input.registry = &app.registry();
    input.script = &app.script();
    input.console = &console;
    input.display = &display;
    input.steps = options.steps;
    input.geometry = options.dumpGeometry;
    input.musicJson = &music;
    text = sceneDumpText(input);
  }
  console.flushMirror();
  setCurrentConsole(nullptr);
  std::string error;
  if (!writeDumpFile(options.output, text, error)) {
    std::fprintf(stderr, "wolkenfahrt: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace wf
