#include <cstdio>

#include "app/DemoApp.h"
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
  {
    DemoApp app(options.commandLine, window, std::move(platform));
    if (!app.ready()) {
      setCurrentConsole(nullptr);
      return DemoApp::kNoContextExitStatus;
    }
    app.runFrame();
    logDiagnostic("first frame " + std::to_string(static_cast<int>(1000.0 * (time.now() - startSeconds))) +
                  " ms after start");
    app.run();
    logTimings(app.timings());
  }
  setCurrentConsole(nullptr);
  return 0;
}

}  // namespace wf
