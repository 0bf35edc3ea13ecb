#include "base/Console.h"

namespace wf {
namespace {
ConsoleLog* theConsole = nullptr;
const std::string kEmpty;

// Characters, not bytes: the limits were made for an 8-bit code page in which
// every umlaut is one character, and our texts are UTF-8.
size_t characterCount(const std::string& text) {
  size_t count = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++count;
  return count;
}
}  // namespace

ConsoleLog* currentConsole() { return theConsole; }
void setCurrentConsole(ConsoleLog* console) { theConsole = console; }

void consolePrint(const std::string& text, int level) {
  if (theConsole) theConsole->print(text, level);
}
void consoleAppend(const std::string& text, int level) {
  if (theConsole) theConsole->append(text, level);
}

ConsoleLog::ConsoleLog() : lines_(kLineCapacity), levels_(kLineCapacity, 0) {}

ConsoleLog::~ConsoleLog() {
  flushMirror();
  if (theConsole == this) theConsole = nullptr;
}

void ConsoleLog::print(const std::string& text, int level) {
  if (characterCount(text) >= static_cast<size_t>(kLineBytes) || level >= threshold_) return;
  // Once the log is full every further print is dropped, so the last line
  // keeps saying so (nothing may be written past the table).
  if (lineCount_ >= kLineCapacity - 1) return;
  flushMirror();
  lineCount_ += 1;
  if (lineCount_ == kLineCapacity - 1) {
    lines_[lineCount_] = "  CONSOLE IST VOLL ";
    levels_[lineCount_] = 0;
    mirrorPending_ = true;
    flushMirror();
    return;
  }
  levels_[lineCount_] = level;
  scrollPos_ = lineCount_;
  lines_[lineCount_] = text;
  mirrorPending_ = true;
  redraw();
}

void ConsoleLog::append(const std::string& text, int level) {
  if (level >= threshold_) return;
  if (lineCount_ >= kLineCapacity - 1) return;
  std::string& last = lines_[lineCount_];
  if (characterCount(last) + characterCount(text) >= static_cast<size_t>(kLineBytes)) return;
  last += text;
  redraw();
}

void ConsoleLog::countStep() {
  timeCounter_ += 1;
  redraw();
}

void ConsoleLog::setLineCount(int count) {
  flushMirror();
  if (count < 1) count = 1;
  if (count > kLineCapacity - 1) count = kLineCapacity - 1;
  lineCount_ = count;
}

const std::string& ConsoleLog::line(int number) const {
  if (number < 0 || number >= kLineCapacity) return kEmpty;
  return lines_[number];
}

int ConsoleLog::level(int number) const {
  if (number < 0 || number >= kLineCapacity) return 0;
  return levels_[number];
}

std::vector<std::pair<int, std::string>> ConsoleLog::storedLines() const {
  std::vector<std::pair<int, std::string>> result;
  for (int n = 2; n <= lineCount_; ++n) result.emplace_back(levels_[n], lines_[n]);
  return result;
}

void ConsoleLog::setMirror(std::FILE* stream, bool colour) {
  mirror_ = stream;
  mirrorColour_ = colour;
}

void ConsoleLog::flushMirror() {
  // A line is mirrored once it is complete (the next print, or a flush), so
  // appends reach the terminal on the same line.
  if (!mirrorPending_ || !mirror_) {
    mirrorPending_ = false;
    return;
  }
  mirrorPending_ = false;
  const int lvl = levels_[lineCount_];
  const char* colour = lvl == 0 ? "\x1b[31m" : lvl == 1 ? "" : "\x1b[90m";
  if (mirrorColour_ && *colour)
    std::fprintf(mirror_, "%s%s\x1b[0m\n", colour, lines_[lineCount_].c_str());
  else
    std::fprintf(mirror_, "%s\n", lines_[lineCount_].c_str());
  std::fflush(mirror_);
}

}  // namespace wf
