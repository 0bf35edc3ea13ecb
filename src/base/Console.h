// The debug console's log as the rest of the engine sees it.
//
// Every subsystem prints through the process-wide console pointer, which is
// null unless console mode is on (or a headless run records the log). Line
// numbers 0 and 1 are never written; the first line is number 2 and the log
// is full at number 1999. Lines hold at most 168 characters; longer prints
// and appends that would not fit are dropped without notice.
#pragma once
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace wf {

class ConsoleLog {
 public:
  static constexpr int kLineCapacity = 2000;
  static constexpr int kLineBytes = 169;  // 168 characters and a terminator
  static constexpr int kDefaultThreshold = 50;

  ConsoleLog();
  virtual ~ConsoleLog();

  // Level 0 errors (red), 1 progress (black), anything else grey; lines at or
  // above the threshold are not kept.
  void print(const std::string& text, int level);
  void append(const std::string& text, int level);

  // One script step happened (fast-forwarded ones included).
  void countStep();
  int timeCounter() const { return timeCounter_; }

  int threshold() const { return threshold_; }
  void setThreshold(int threshold) { threshold_ = threshold; }
  int lineCount() const { return lineCount_; }
  void setLineCount(int count);  // the "CLC" command sets it back to 1
  int scrollPos() const { return scrollPos_; }
  void setScrollPos(int pos) { scrollPos_ = pos; }
  const std::string& line(int number) const;
  int level(int number) const;

  // Every stored line from number 2 to lineCount, in order.
  std::vector<std::pair<int, std::string>> storedLines() const;

  // Mirror every line to this stream as it is completed (null: no mirror).
  void setMirror(std::FILE* stream, bool colour);
  void flushMirror();

  // Repaints the view; the window subclass draws, the plain log does nothing.
  virtual void redraw() {}

 protected:
  int timeCounter_ = 0;
  int threshold_ = kDefaultThreshold;
  int scrollPos_ = 0;
  int lineCount_ = 1;

 private:
  std::vector<std::string> lines_;
  std::vector<int> levels_;
  std::FILE* mirror_ = nullptr;
  bool mirrorColour_ = false;
  bool mirrorPending_ = false;
};

// The process-wide console; null unless console mode is on.
ConsoleLog* currentConsole();
void setCurrentConsole(ConsoleLog* console);

// Print helpers that skip the call when there is no console: every console
// print in the engine is optional.
void consolePrint(const std::string& text, int level);
void consoleAppend(const std::string& text, int level);

}  // namespace wf
