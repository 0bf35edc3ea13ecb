// A whole timeline run without drawing, for the checker and the timeline
// picture: every statement's active span, every report with the statement
// and the time it came from, the music's play and stop calls, and the traps
// a script can fall into.
//
// The script runs as in the demo (declarations load their files, commands
// reach the objects) but no frame is drawn and no sound is played; the run
// ends with ENDE, when no statement is active or waiting any more, or after
// half an hour of timeline.
#pragma once
#include <string>
#include <vector>

namespace wf {

// Timeline positions are steps as Script::stepsRun() counts them: step 1
// runs at 0:00.00, step n at (n - 1) / 100 s.
constexpr int kLongestCheckSteps = 30 * 60 * 100;

struct TraceRecord {
  int line = 0;
  int kind = 0;
  std::string name;
  char letter = 0;
  std::string argument;
  int activeFrom = -1;  // -1: never became active
  int lastRun = -1;     // -1: never ran (a stop on its first step removes it)
};

struct TraceReport {
  int line = 0;   // 0: not tied to a statement
  int step = 0;   // 0: while the script was read
  std::string text;  // without the "Zeile: N  " the engine puts in front
};

struct TraceWarning {
  int line = 0;
  std::string text;
};

struct MusicCall {
  int step = 0;
  bool play = false;  // PLAYMOD; false: STOPMOD
  int line = 0;
};

struct TimelineTrace {
  std::string script;  // the file as given
  int statements = 0;
  bool readable = true;
  std::vector<TraceRecord> records;
  std::vector<TraceReport> reports;  // each (line, text) once, in order of appearance
  std::vector<TraceWarning> warnings;
  std::vector<MusicCall> music;
  std::string modulePath;  // the last module AUDIO declared, as written
  int endStep = 0;         // the last step that ran
  bool ended = false;      // ENDE ran
};

// Runs the script in `path` (its folder is the working directory meanwhile,
// as when it is played from there) at the given quality.
TimelineTrace traceTimeline(const std::string& path, int quality, int stepCap = kLongestCheckSteps);

// "m:ss.cc" for a step.
std::string timelineTime(int step);

// Items of a value list that inherit a minus sign from an earlier item
// ("-2.5,2.2" makes the second -2.2), as warnings for the record's line.
std::vector<TraceWarning> signCarryWarnings(const TraceRecord& record);

}  // namespace wf
