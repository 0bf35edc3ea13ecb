#include "app/Options.h"

#include <cmath>
#include <cstdlib>

#include "base/NumberText.h"

namespace wf {

int ModeChoice::width() const {
  static const int widths[] = {640, 640, 800, 1024};
  return widths[resolution];
}

int ModeChoice::height() const {
  static const int heights[] = {480, 480, 600, 768};
  return heights[resolution];
}

namespace {

// A plain decimal number: digits with at most one '.', nothing else (no
// signs, exponents, hexadecimal or "inf"), read the same in every locale.
bool parseNumber(const std::string& text, double& value) {
  bool digits = false, dot = false;
  for (char c : text) {
    if (c >= '0' && c <= '9')
      digits = true;
    else if (c == '.' && !dot)
      dot = true;
    else
      return false;
  }
  if (!digits) return false;
  value = parseAtof(text);
  return true;
}

bool parseMode(const std::string& text, ModeChoice& mode) {
  static const char* const names[] = {"windowed", "640x480", "800x600", "1024x768"};
  for (int i = 0; i < 4; ++i)
    if (equalsIgnoreCase(text, names[i])) {
      mode.resolution = i;
      return true;
    }
  return false;
}

bool parseQuality(const std::string& text, int& quality) {
  static const char* const names[] = {"low", "normal", "high"};
  for (int i = 0; i < 3; ++i)
    if (equalsIgnoreCase(text, names[i]) || text == std::to_string(i)) {
      quality = i;
      return true;
    }
  return false;
}

void setRun(Options& options, RunKind kind, bool& conflict) {
  if (options.run != RunKind::Interactive && options.run != kind) conflict = true;
  options.run = kind;
}

}  // namespace

bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
  options = Options();
  for (size_t i = 0; i < args.size(); ++i) options.commandLine += (i ? " " : "") + args[i];
  if (options.commandLine == "quadrix roxx" || options.commandLine == "quadrix roxx --watch") {
    options.consoleMode = true;
    options.watch = options.commandLine.size() > 12;
    return true;
  }
  if (options.commandLine == "-XP") {
    options.xpMode = true;
    return true;
  }
  // Anything without engine options is the plain start: the dialog.
  bool anyOption = false;
  for (const std::string& a : args) anyOption |= a.rfind("--", 0) == 0;
  if (!anyOption) return true;

  bool conflict = false;
  bool fromGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0) {
        error = a + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--help" || a == "-h") {
      options.run = RunKind::Help;
      return true;
    } else if (a == "--version") {
      options.run = RunKind::Version;
      return true;
    } else if (a == "--render") {
      if (!value(options.output)) return false;
      setRun(options, RunKind::Render, conflict);
    } else if (a == "--dump-scene") {
      if (!value(options.output)) return false;
      setRun(options, RunKind::DumpScene, conflict);
    } else if (a == "--check") {
      setRun(options, RunKind::Check, conflict);
      if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) options.inputs.push_back(args[++i]);
    } else if (a == "--timeline") {
      if (!value(options.output)) return false;
      setRun(options, RunKind::Timeline, conflict);
      if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) options.inputs.push_back(args[++i]);
    } else if (a == "--module-info") {
      if (!value(v)) return false;
      options.inputs.push_back(v);
      setRun(options, RunKind::ModuleInfo, conflict);
    } else if (a == "--module-wav") {
      if (!value(v)) return false;
      options.inputs.push_back(v);
      if (!value(options.output)) return false;
      setRun(options, RunKind::ModuleWav, conflict);
    } else if (a == "--texture-png") {
      if (!value(options.output)) return false;
      while (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) options.inputs.push_back(args[++i]);
      if (options.inputs.empty()) {
        error = "--texture-png needs at least one description file";
        return false;
      }
      setRun(options, RunKind::TexturePng, conflict);
    } else if (a == "--seconds") {
      double s;
      if (!value(v)) return false;
      if (!parseNumber(v, s) || s < 0 || s > 86400) {
        error = "--seconds wants a number of seconds from 0 to 86400, not '" + v + "'";
        return false;
      }
      options.seconds = s;
    } else if (a == "--from") {
      double s;
      if (!value(v)) return false;
      if (!parseNumber(v, s) || s > 86400) {
        error = "--from wants a number of seconds from 0 to 86400, not '" + v + "'";
        return false;
      }
      options.from = s;
      fromGiven = true;
    } else if (a == "--fps") {
      double f;
      if (!value(v)) return false;
      if (!parseNumber(v, f) || f < 1 || f > 1000) {
        error = "--fps wants a frame rate from 1 to 1000, not '" + v + "'";
        return false;
      }
      options.fps = f;
    } else if (a == "--steps") {
      double s;
      if (!value(v)) return false;
      if (!parseNumber(v, s) || s < 0 || s > 1e9 || s != std::floor(s)) {
        error = "--steps wants a whole number of steps, not '" + v + "'";
        return false;
      }
      options.steps = static_cast<long long>(s);
    } else if (a == "--mode") {
      if (!value(v)) return false;
      if (!parseMode(v, options.mode)) {
        error = "--mode wants windowed, 640x480, 800x600 or 1024x768, not '" + v + "'";
        return false;
      }
      options.modeGiven = true;
    } else if (a == "--quality") {
      if (!value(v)) return false;
      if (!parseQuality(v, options.quality)) {
        error = "--quality wants low, normal or high (or 0, 1, 2), not '" + v + "'";
        return false;
      }
      options.qualityGiven = true;
    } else if (a == "--watch") {
      options.watch = true;
    } else if (a == "--dump-geometry") {
      options.dumpGeometry = true;
    } else {
      error = a.rfind("--", 0) == 0 ? "unknown option " + a : "unexpected argument '" + a + "'";
      return false;
    }
  }
  if (conflict) {
    error = "choose one of --render, --dump-scene, --check, --timeline, --module-info, --module-wav, --texture-png";
    return false;
  }
  if (options.run == RunKind::Render && options.output.empty()) {
    error = "--render needs a target";
    return false;
  }
  if (fromGiven && options.run != RunKind::Render) {
    error = "--from goes with --render";
    return false;
  }
  if (options.run == RunKind::DumpScene && options.steps < 0) {
    error = "--dump-scene needs --steps N";
    return false;
  }
  if (options.run == RunKind::ModuleWav && options.seconds < 0) {
    error = "--module-wav needs --seconds S";
    return false;
  }
  return true;
}

std::string usageText() {
  return "usage: wolkenfahrt                      start-up dialog, then the demo in mohn.cs\n"
         "       wolkenfahrt -XP                  800x600 full screen\n"
         "       wolkenfahrt quadrix roxx         with the debug console\n"
         "       wolkenfahrt [--mode M] [--quality Q] --watch | quadrix roxx --watch\n"
         "                                        rebuild the demo when a file of it changes\n"
         "       wolkenfahrt [--mode M] [--quality Q]   skip the dialog\n"
         "       wolkenfahrt --render DIR|OUT.mp4|OUT.mkv [--from S] [--seconds D] [--fps F] [--mode M] [--quality Q]\n"
         "       wolkenfahrt --dump-scene OUT.json --steps N [--quality Q] [--mode M] [--dump-geometry]\n"
         "       wolkenfahrt --check [FILE] [--quality Q]\n"
         "       wolkenfahrt --timeline OUT.svg [FILE] [--quality Q]\n"
         "       wolkenfahrt --module-info IN.mod\n"
         "       wolkenfahrt --module-wav IN.mod OUT.wav --seconds S\n"
         "       wolkenfahrt --texture-png OUT.png IN...\n"
         "       wolkenfahrt --help | --version\n"
         "modes: windowed (640x480), 640x480, 800x600, 1024x768; qualities: low, normal, high (0, 1, 2)\n"
         "keys: Escape ends, Pause freezes, F12 screenshot; F5 start, F6/F7 back 10 s/1 s, F8/F9 on 1 s/10 s\n";
}

}  // namespace wf
