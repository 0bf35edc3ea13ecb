// The command line: two whole-line switches ("quadrix roxx" for the debug
// console, "-XP" for 800x600 full screen) and "--" options for the dialog-free
// start, headless runs and tools.
#pragma once
#include <string>
#include <vector>

namespace wf {

enum class RunKind {
  Interactive,  // start-up dialog, "-XP", "quadrix roxx", or --mode/--quality
  Render,       // --render DIR|FILE.mp4|FILE.mkv [--from S]
  DumpScene,    // --dump-scene OUT.json
  Check,        // --check [FILE]
  Timeline,     // --timeline OUT.svg [FILE]
  ModuleInfo,   // --module-info IN.mod
  ModuleWav,    // --module-wav IN.mod OUT.wav
  TexturePng,   // --texture-png OUT.png IN...
  Help,
  Version,
};

// Display mode as the start-up dialog numbers it: 0 windowed, 1 640x480,
// 2 800x600, 3 1024x768 (the last three full screen).
struct ModeChoice {
  int resolution = 0;
  int width() const;
  int height() const;
  bool fullScreen() const { return resolution != 0; }
};

struct Options {
  RunKind run = RunKind::Interactive;
  std::string commandLine;  // the arguments joined by single spaces
  bool consoleMode = false; // exactly "quadrix roxx"
  bool xpMode = false;      // exactly "-XP"
  bool watch = false;       // --watch: rebuild the engine when a file of the production changes
  bool modeGiven = false;   // --mode: skip the dialog
  ModeChoice mode;
  bool qualityGiven = false;
  int quality = 0;          // 0 low, 1 normal, 2 high
  std::string output;       // --render target, --dump-scene / --texture-png / --module-wav output
  std::vector<std::string> inputs;
  double seconds = -1.0;    // < 0: not given
  double from = 0.0;        // --render: seconds of timeline before the part to render
  double fps = 60.0;
  long long steps = -1;
  bool dumpGeometry = false;
};

// Parses argv. On a usage error returns false with a message in `error`.
bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error);
std::string usageText();

}  // namespace wf
