#include <unistd.h>  // Required for: isatty()

#include <cstdio>

#include "app/FastForward.h"
#include "app/HeadlessEngine.h"
#include "app/Runs.h"
#include "app/SceneDump.h"
#include "base/Console.h"
#include "base/DisplaySettings.h"
#include "music/ModuleInfo.h"
#include "platform/GlRenderer.h"
#include "scene/ObjectRegistry.h"

namespace wf {

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
    DemoApp* started = engine.start(options);
    if (!started) {
      setCurrentConsole(nullptr);
      return DemoApp::kNoContextExitStatus;
    }
    DemoApp& app = *started;
    // Step by step, the music catching up after each; the dump needs only
    // the player's position, not what it played.
    engine.audio().recordNothing();
    fastForward(app, options.steps, TimelinePace{});
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
