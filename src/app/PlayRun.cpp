#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

#include "app/DemoApp.h"
#include "app/EngineAt.h"
#include "app/TimelineTrace.h"
#include "app/WatchedFiles.h"
#include "script/Script.h"
#include "app/Progress.h"
#include "app/Runs.h"
#include "base/Console.h"
#include "base/DisplaySettings.h"
#include "base/FrameClock.h"
#include "base/Report.h"
#include "platform/DebugConsoleWindow.h"
#include "platform/SdlMainWindow.h"
#include "platform/SdlSoundOutput.h"
#include "platform/StartupDialogWindow.h"
#include "shell/StartupDialog.h"

namespace wf {
namespace {

// How often --watch looks at the production's files.
constexpr double kWatchSeconds = 0.1;

// The script and the files its declarations read.
std::vector<std::string> productionFiles(const Script& script, const std::string& scriptFile) {
  std::vector<std::string> files = scriptDataFiles(script);
  files.insert(files.begin(), scriptFile);
  return files;
}

// True when the changed script reads without a report. Its reports go to
// the console or stderr; a message box would stop the demo on every save.
bool scansCleanly(const std::string& scriptFile) {
  const MessageBoxHandler boxes = setMessageBoxHandler(nullptr);
  const Script probe(scriptFile, nullptr);
  setMessageBoxHandler(boxes);
  return probe.reportCount() == 0 && !probe.sourceFailed();
}

int noDisplay(const std::string& why) {
  std::fprintf(stderr,
               "wolkenfahrt: %s.\n"
               "To make pictures without a display, render to files instead, e.g.\n"
               "  wolkenfahrt --render frames --seconds 10\n",
               why.c_str());
  return 1;
}

}  // namespace

int runPlay(const Options& options) {
  const double startSeconds = SteadyTimeSource().now();
  // Every interactive start needs a display; find out before the dialog or
  // the console, which would otherwise wait on one that nobody sees.
  std::string why;
  if (!SdlMainWindow::displayAvailable(why)) return noDisplay(why);
  SdlMainWindow::useSdlMessageBoxes();
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

  SdlMainWindow window(width, height, display.fullScreen);
  if (!window.isAlive()) {
    setMessageBoxHandler(nullptr);
    setCurrentConsole(nullptr);
    return noDisplay(window.failure());
  }
  logDiagnostic("window " + std::to_string(window.outerWidth()) + "x" + std::to_string(window.outerHeight()) +
                (display.fullScreen ? " full screen" : " windowed") + ", quality " +
                std::to_string(display.detailLevel));
  SteadyTimeSource time;
  DemoPlatform platform;
  // F12's pictures go beside the script.
  const size_t slash = platform.scriptFile.rfind('/');
  window.setScreenshotFolder(slash == std::string::npos ? std::string() : platform.scriptFile.substr(0, slash));
  platform.surface = &window;
  platform.time = &time;
  platform.sound = std::make_unique<SdlSoundOutput>();
  const std::string scriptFile = platform.scriptFile;
  auto app = std::make_unique<DemoApp>(options.commandLine, window, std::move(platform));
  if (!app->ready()) {
    setCurrentConsole(nullptr);
    return DemoApp::kNoContextExitStatus;
  }
  app->runFrame();
  logDiagnostic("first frame " + std::to_string(static_cast<int>(1000.0 * (time.now() - startSeconds))) +
                " ms after start");
  WatchedFiles watched;
  if (options.watch) watched.watch(productionFiles(app->script(), scriptFile));
  double nextLook = time.now() + kWatchSeconds;
  while (window.isAlive()) {
    app->runFrame();
    long long target = -1;  // the clock step to rebuild the engine at
    bool reload = false;
    MainWindow::Seek seek;
    if (window.takeSeek(seek))
      target = seek.toStart ? 0 : std::max(0LL, app->clock().scriptSteps() + seek.steps);
    if (options.watch && time.now() >= nextLook) {
      nextLook = time.now() + kWatchSeconds;
      if (watched.changed()) {
        reload = scansCleanly(scriptFile);
        // A script that does not scan keeps the running engine; its reports
        // have been shown, and only the next change is looked at.
        watched.watch(reload ? watched.paths() : productionFiles(app->script(), scriptFile));
        if (reload && target < 0) target = app->clock().scriptSteps();
      }
    }
    if (target >= 0) {
      const double started = time.now();
      const bool paused = app->clock().isPaused();
      logTimings(app->timings());
      app.reset();  // one engine at a time
      DemoPlatform next;
      next.surface = &window;
      next.time = &time;
      next.sound = std::make_unique<SdlSoundOutput>();
      next.scriptFile = scriptFile;
      app = buildEngineAt(options.commandLine, window, std::move(next), target);
      if (!app) {
        setCurrentConsole(nullptr);
        return DemoApp::kNoContextExitStatus;
      }
      if (paused) app->clock().pause();
      if (options.watch) watched.watch(productionFiles(app->script(), scriptFile));
      logDiagnostic(std::string(reload ? "reloaded " : "moved to ") + timelineTime(static_cast<int>(target) + 1) +
                    " in " + std::to_string(static_cast<int>(1000.0 * (time.now() - started))) + " ms");
    }
    std::this_thread::yield();  // the loop never waits; it only gives way
  }
  logTimings(app->timings());
  app.reset();
  setCurrentConsole(nullptr);
  return 0;
}

}  // namespace wf
