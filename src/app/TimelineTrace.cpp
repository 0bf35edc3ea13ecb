#include "app/TimelineTrace.h"

#include <algorithm>   // Required for: std::count()
#include <cstdio>      // Required for: snprintf()
#include <filesystem>  // Required for: the script's folder as working directory
#include <memory>
#include <set>

#include "app/EngineHost.h"
#include "base/Console.h"
#include "base/DisplaySettings.h"
#include "base/NumberText.h"
#include "base/Report.h"
#include "image/texgen/TextureGenerator.h"
#include "music/ModPlayer.h"
#include "music/VirtualSoundOutput.h"
#include "platform/GlyphRasterizer.h"
#include "scene/ObjectRegistry.h"
#include "script/Script.h"

namespace wf {
namespace {

namespace fs = std::filesystem;

// The script's folder as the working directory while the trace runs.
class ScriptFolder {
 public:
  explicit ScriptFolder(const std::string& path) {
    std::error_code error;
    previous_ = fs::current_path(error);
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty()) fs::current_path(folder, error);
  }
  ~ScriptFolder() {
    std::error_code error;
    if (!previous_.empty()) fs::current_path(previous_, error);
  }

 private:
  fs::path previous_;
};

// The engine's host, noting the music calls and the module AUDIO declares.
class TracingHost : public EngineHost {
 public:
  TracingHost(DeclarationTarget target, TimelineTrace& trace) : EngineHost(target), trace_(trace) {}
  void setScript(const Script* script) { script_ = script; }
  void declare(Script& script, const ScriptRecord& record) override {
    if (record.kind == kind::kAudio) trace_.modulePath = record.argument;
    EngineHost::declare(script, record);
  }
  void playMusic() override { note(true); }
  void stopMusic() override { note(false); }

 private:
  void note(bool play) {
    const ScriptRecord* record = script_ ? script_->executing() : nullptr;
    trace_.music.push_back({script_ ? script_->stepsRun() : 0, play, record ? record->line : 0});
  }
  TimelineTrace& trace_;
  const Script* script_ = nullptr;
};

// Every report, tied to the line it names or else to the statement that
// was running, once per line and text.
class ReportCollector : public ReportListener {
 public:
  explicit ReportCollector(TimelineTrace& trace) : trace_(trace), previous_(setReportListener(this)) {}
  ~ReportCollector() { setReportListener(previous_); }
  void setScript(const Script* script) { script_ = script; }

  void reported(const std::string& text) override {
    TraceReport report;
    report.text = text;
    int line = 0, used = 0;
    if (std::sscanf(text.c_str(), "Zeile: %d  %n", &line, &used) == 1 && used > 0) {
      report.line = line;
      report.text = text.substr(static_cast<size_t>(used));
    } else if (const ScriptRecord* record = script_ ? script_->executing() : nullptr) {
      report.line = record->line;
    }
    report.step = script_ ? script_->stepsRun() : 0;
    if (seen_.insert({report.line, report.text}).second) trace_.reports.push_back(report);
  }

 private:
  TimelineTrace& trace_;
  ReportListener* previous_;
  const Script* script_ = nullptr;
  std::set<std::pair<int, std::string>> seen_;
};

bool isZeroNumber(const std::string& item) {
  if (item.empty()) return false;
  for (char c : item)
    if (c != '0' && c != '.') return false;
  return true;
}

// A statement that becomes active on the step a stop of its name runs is
// removed with it: it runs at most once, on that step.
void addSameStepStopWarnings(TimelineTrace& trace, const std::vector<int>& durations) {
  for (const TraceRecord& stop : trace.records) {
    if (stop.kind != kind::kStop || stop.lastRun < 0) continue;
    for (size_t i = 0; i < trace.records.size(); ++i) {
      const TraceRecord& r = trace.records[i];
      if (&r == &stop || r.kind == kind::kStop || r.activeFrom != stop.lastRun) continue;
      if (!equalsIgnoreCase(r.name, stop.name)) continue;
      if (durations[i] == 1 && r.lastRun == r.activeFrom) continue;  // it had done its one step anyway
      trace.warnings.push_back(
          {r.line, "becomes active on the same step as the stop \"" + stop.name + "!\" in line " +
                       std::to_string(stop.line) + ", which removes it; delay it by one step (d1)"});
    }
  }
}

}  // namespace

std::string timelineTime(int step) {
  const int hundredths = step > 0 ? step - 1 : 0;
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d.%02d", hundredths / 6000, hundredths / 100 % 60, hundredths % 100);
  return text;
}

std::vector<TraceWarning> signCarryWarnings(const TraceRecord& record) {
  std::vector<TraceWarning> warnings;
  if (record.kind != kind::kSet && record.kind != kind::kCombine) return warnings;
  bool negative = false;
  std::string negativeItem;
  size_t pos = 0;
  const std::string& text = record.argument;
  // The fourth of four items of a matrix (M, C) is the corner that every
  // product sets back to 1, so its sign changes nothing.
  const bool matrix = record.letter == 'M' || record.letter == 'C';
  const bool fourItems = std::count(text.begin(), text.end(), ',') == 3;
  for (int index = 0; pos <= text.size(); ++index) {
    size_t comma = text.find(',', pos);
    if (comma == std::string::npos) comma = text.size();
    const std::string item = text.substr(pos, comma - pos);
    if (!item.empty() && item[0] == '-') {
      negative = item.size() < 2 || item[1] != '+';
      if (negative) negativeItem = item;
    } else if (!item.empty() && item[0] == '+') {
      negative = false;
    } else if (negative && !item.empty() && !isZeroNumber(item) && !(matrix && fourItems && index == 3)) {
      warnings.push_back({record.line, "the minus sign of " + negativeItem + " carries over: " + item +
                                           " counts as -" + item + " (write +" + item + ")"});
    }
    pos = comma + 1;
  }
  return warnings;
}

TimelineTrace traceTimeline(const std::string& path, int quality, int stepCap) {
  TimelineTrace trace;
  trace.script = path;
  const ScriptFolder folder(path);
  const std::string file = fs::path(path).filename().string();

  DisplaySettings& display = displaySettings();
  const DisplaySettings savedDisplay = display;
  display.detailLevel = quality;
  ConsoleLog console;  // what the run prints stays here, off the screen
  ConsoleLog* const savedConsole = currentConsole();
  setCurrentConsole(&console);
  {
    ReportCollector reports(trace);
    ObjectRegistry registry;
    TextureGenerator generator;
    ModPlayer music(std::make_unique<VirtualSoundOutput>());
    DeclarationTarget target{&registry, ImageSources{&generator, systemGlyphRasterizer}, &music};
    TracingHost host(target, trace);
    Script script(file, &host);
    reports.setScript(&script);
    host.setScript(&script);
    trace.readable = !script.sourceFailed();
    trace.statements = script.recordCount();
    std::vector<int> durations;
    for (int i = 0; i < script.recordCount(); ++i) durations.push_back(script.record(i).ttl);

    while (!script.ended() && script.stepsRun() < stepCap) {
      if (script.nextRecord() >= script.recordCount() && !script.activeHead()) break;
      script.step();
    }
    trace.endStep = script.stepsRun();
    trace.ended = script.ended();
    for (int i = 0; i < script.recordCount(); ++i) {
      const ScriptRecord& r = script.record(i);
      trace.records.push_back({r.line, r.kind, r.name, r.letter, r.argument, r.activeFrom, r.lastRun});
      for (TraceWarning& w : signCarryWarnings(trace.records.back())) trace.warnings.push_back(std::move(w));
    }
    addSameStepStopWarnings(trace, durations);
    music.stop();
  }
  setCurrentConsole(savedConsole);
  display = savedDisplay;
  return trace;
}

}  // namespace wf
