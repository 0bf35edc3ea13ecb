// The script: the whole demo as a timeline of statements.
//
// Construction reads the script file once and cuts it into at most 4096
// records (ScriptScanner.cpp); nothing runs then. Afterwards the frame clock
// calls step() every 10 ms of demo time (Timeline.cpp): statements become
// active after their delay, run once per step for their duration and drop
// out; what they act on they reach through the host (ScriptHost.h). All
// times are steps of 0.01 s.
//
// One Script exists per run and is reachable through Script::current(); it
// owns the variable table, which is then the process-wide one.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "script/Keywords.h"
#include "script/ScriptHost.h"
#include "script/ScriptRecord.h"
#include "script/VariableTable.h"

namespace wf {

class ScriptReader;

class Script {
 public:
  static constexpr int kRecordCapacity = 4096;
  static constexpr int kReportChars = 199;  // the report buffer holds 200 with its terminator

  // Reads and scans the named file (relative to the working directory). A
  // missing file is reported by the file reader and leaves no records.
  // `host` may be null (see ScriptHost.h).
  Script(const std::string& fileName, ScriptHost* host);
  // Scans the given bytes as if they were the file's contents.
  struct FromText {};
  Script(FromText, const std::string& text, ScriptHost* host);
  virtual ~Script();
  Script(const Script&) = delete;
  Script& operator=(const Script&) = delete;

  static Script* current();

  // "Zeile: <line>  <message>", cut to the report buffer, as a red console
  // line or a message box "Error" (and on stderr).
  void reportError(const std::string& message, int line);
  int reportCount() const { return reportCount_; }

  // One timeline step: activation, then one execution of every active
  // statement. Called by the frame clock, by START and by the console.
  void step();
  // Performs one record according to its kind. The console's object mover
  // hands in records of its own.
  void execute(ScriptRecord& record);
  // The record being performed (null between records): what a report made
  // meanwhile belongs to.
  const ScriptRecord* executing() const { return executing_; }
  // Steps run so far, the steps of START's fast-forwards included: the
  // timeline position in units of 0.01 s.
  int stepsRun() const { return stepsRun_; }

  int recordCount() const { return recordCount_; }
  const ScriptRecord& record(int index) const { return records_[static_cast<size_t>(index)]; }
  int nextRecord() const { return nextRecord_; }
  const ScriptRecord* activeHead() const { return activeHead_; }
  int indexOf(const ScriptRecord* record) const;
  // The active list as record indices, head first.
  std::vector<int> activeIndices() const;

  const KeywordTable& keywords() const { return keywords_; }
  VariableTable& variables() { return variables_; }
  const VariableTable& variables() const { return variables_; }
  ScriptHost* host() const { return host_; }
  // Line counter after the scan (one past the last line break read).
  int currentLine() const { return currentLine_; }
  // True when the script file could not be read.
  bool sourceFailed() const { return sourceFailed_; }
  // True once ENDE has run: whoever pauses the clock around steps of its own
  // (the console's fast-forward) leaves it paused then.
  bool ended() const { return ended_; }

 private:
  void publish();
  void scan(const std::u32string& text);
  // False when the scan must stop (end of text, "ttl fehlt", table full).
  bool scanStatement(ScriptReader& reader, char32_t& c);

  void appendActive(ScriptRecord& record);
  void unlinkActive(ScriptRecord& record);
  void perform(ScriptRecord& record);
  void executeCall(ScriptRecord& record);
  void executeProperty(ScriptRecord& record);
  void executeStop(ScriptRecord& record);
  void executeEnde(ScriptRecord& record);
  void executeStart(ScriptRecord& record);
  void showMessage(const std::string& text);

  std::vector<ScriptRecord> records_;  // capacity reserved once: records never move
  int recordCount_ = 0;
  int currentLine_ = 1;
  bool sourceFailed_ = false;
  int reportCount_ = 0;
  KeywordTable keywords_;
  VariableTable variables_;
  ScriptHost* host_ = nullptr;

  // Timeline state.
  int nextRecord_ = 0;
  ScriptRecord* activeHead_ = nullptr;
  ScriptRecord* activeTail_ = nullptr;
  // The last record each running walk of the active list has passed (one per
  // nesting level of step()); unlinking keeps them pointing into the list.
  std::vector<ScriptRecord*> walks_;
  int fastForwardDepth_ = 0;  // START statements currently running their steps
  int stepsRun_ = 0;
  const ScriptRecord* executing_ = nullptr;
  bool ended_ = false;        // ENDE has run
};

}  // namespace wf
