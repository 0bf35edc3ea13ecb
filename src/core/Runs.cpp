#include "core/Runs.h"

#include <sys/stat.h>  // Required for: mkdir()
#include <unistd.h>    // Required for: isatty()

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/Console.h"
#include "core/DemoApp.h"
#include "core/DisplaySettings.h"
#include "core/FrameClock.h"
#include "core/Report.h"
#include "platform/EglHeadlessSurface.h"
#include "platform/GlRenderer.h"
#include "platform/MainWindow.h"
#include "platform/PngFile.h"
#include "platform/SdlMainWindow.h"

namespace wf {
namespace {

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
  DisplaySettings& display = displaySettings();
  display.fullScreen = false;
  int width = 640, height = 480;
  std::unique_ptr<ConsoleLog> console;
  if (options.consoleMode) {
    console = std::make_unique<ConsoleLog>();
    console->setThreshold(ConsoleLog::kDefaultThreshold);
    console->setMirror(stderr, isatty(fileno(stderr)));
    setCurrentConsole(console.get());
  } else if (options.xpMode) {
    width = 800;
    height = 600;
    display.fullScreen = true;
  } else {
    // Until the start-up dialog exists, a plain start uses what the dialog
    // offers first: windowed, low quality.
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
  {
    DemoApp app(options.commandLine, window, platform);
    app.run();
  }
  setCurrentConsole(nullptr);
  return 0;
}

int runRender(const Options& options) {
  setMessageBoxHandler(nullptr);  // nothing may block without a display
  DisplaySettings& display = displaySettings();
  const ModeChoice mode = options.mode;
  display.screenWidth = mode.width();
  display.screenHeight = mode.height();
  display.fullScreen = false;
  display.detailLevel = options.quality;

  std::string error;
  if (!makeDirectory(options.output, error)) {
    std::fprintf(stderr, "wolkenfahrt: %s\n", error.c_str());
    return 1;
  }
  const double seconds = options.seconds < 0 ? 10.0 : options.seconds;
  const long long frames = std::llround(seconds * options.fps);

  HeadlessWindow window(display.screenWidth, display.screenHeight);
  EglHeadlessSurface surface(display.screenWidth, display.screenHeight);
  VirtualTimeSource time;
  DemoPlatform platform;
  platform.surface = &surface;
  platform.time = &time;
  DemoApp app(options.commandLine, window, platform);

  char name[64];
  for (long long frame = 0; frame < frames && window.isAlive(); ++frame) {
    // Frame k shows the timeline at (k + 1) / fps: the first frame already
    // carries the first steps, as with a real clock.
    time.set(static_cast<double>(frame + 1) / options.fps);
    bool written = true;
    app.runFrame([&] {
      int w = 0, h = 0;
      std::vector<uint8_t> rgb = app.renderer().readFrameRgb(w, h);
      std::snprintf(name, sizeof name, "/frame-%05lld.png", frame);
      written = writePng(options.output + name, w, h, 3, rgb.data(), &error);
    });
    if (!written) {
      std::fprintf(stderr, "wolkenfahrt: %s\n", error.c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace wf
