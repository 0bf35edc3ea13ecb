#include "shell/DebugConsole.h"

#include <algorithm>  // Required for: std::min(), std::max()
#include <climits>    // Required for: INT32_MIN, INT32_MAX

#include "base/FcvtText.h"
#include "base/FrameClock.h"
#include "base/Report.h"
#include "scene/ObjectRegistry.h"
#include "scene/PlacedObject.h"
#include "script/Script.h"

namespace wf {
namespace {

constexpr uint32_t kLabelGrey = 0x646464;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

uint32_t levelColour(int level) {
  if (level == 0) return 0xFF0000;  // errors and script messages
  if (level == 1) return 0x000000;  // progress
  return 0x6E6E6E;
}

// _fcvt(v, 2) split into the integer part I and the fraction F.
std::string fixedText(double v) {
  const FcvtDigits d = fcvtDigits(v, 2);
  std::string integer, fraction;
  if (d.decimalPoint == 0) {
    integer = "0";
    fraction = d.digits;
  } else if (d.decimalPoint > 0) {
    const size_t n = std::min(d.digits.size(), static_cast<size_t>(d.decimalPoint));
    integer = d.digits.substr(0, n);
    fraction = d.digits.substr(n);
  } else {
    fraction = d.digits;
  }
  return integer + "." + fraction;
}

}  // namespace

InspectorTexts formatInspector(double px, double py, double pz) {
  // deliberate: the minus sign of y and z ends the text before them; the
  // three texts are drawn side by side, so it lands just left of its number
  // (Published.InspectorAndMoverFindTheirObjectByName).
  InspectorTexts t;
  t.x = std::string(" : ") + (px < 0 ? "-" : "") + fixedText(px) + " , " + (py < 0 ? "-" : "");
  t.y = fixedText(py) + " ," + (pz < 0 ? "-" : "");
  t.z = fixedText(pz);
  return t;
}

const char* moverArgument(int direction) {
  static const char* const kArguments[] = {
      "0,0.1",      "0,-0.1",     "1,-0.1",     "1,0.1",      "0,0,0.1,1", "0,0,-0.1,1",
      "-0.1,0,0,1", "0.1,0,0,1",  "0,-0.1,0,1", "0,0.1,0,1",  "1.1",       "0.9",
  };
  if (direction >= 1 && direction <= 12) return kArguments[direction - 1];
  return "0,0,0,1";
}

int consoleRowY(int lineNumber, int scrollPos) { return 14 * (lineNumber - scrollPos + 9) + 25; }

bool consoleMarkerY(int lineCount, int scrollPos, int* y) {
  if (lineCount == 10) return false;
  // 32-bit integer arithmetic, the division first, truncating toward zero.
  const long long step = 140 / (lineCount - 10);
  const long long value = step * (static_cast<long long>(scrollPos) - 10) + 18;
  *y = static_cast<int>(std::max<long long>(std::min<long long>(value, INT32_MAX), INT32_MIN));
  return true;
}

DebugConsole::DebugConsole() = default;
DebugConsole::~DebugConsole() = default;

DebugConsole* DebugConsole::current() { return dynamic_cast<DebugConsole*>(currentConsole()); }

ConsolePaint DebugConsole::layout() {
  repaintPending_ = false;
  ConsolePaint p;
  if (inputMode) {
    p.fills.push_back({1, 1, 260, 168, kWhite});
    p.fills.push_back({0, 170, 260, 210, kBlack});
    p.texts.push_back({84, 188, kLabelGrey, "eingabe modus"});
    p.texts.push_back({3, 175, kLabelGrey, inputLine});
  } else {
    inspect();
    p.fills.push_back({1, 1, 270, 168, kWhite});
    p.fills.push_back({0, 170, 270, 210, kBlack});
    p.texts.push_back({3, 175, kLabelGrey, inspectTarget});
    p.texts.push_back({107, 175, kLabelGrey, xText});
    p.texts.push_back({161, 175, kLabelGrey, yText});
    p.texts.push_back({200, 175, kLabelGrey, zText});
  }
  p.texts.push_back({10, 2, kLabelGrey, "Mohn Logger 2.0"});

  p.texts.push_back({242, 18, kLabelGrey, "__"});
  int markerY = 0;
  if (consoleMarkerY(lineCount_, scrollPos_, &markerY)) p.texts.push_back({246, markerY, kLabelGrey, "#"});
  p.texts.push_back({242, 150, kLabelGrey, "__"});

  const std::string timeText = std::to_string(timeCounter_);
  p.texts.push_back({145, 2, kLabelGrey, "Time: ["});
  p.texts.push_back({190, 2, kLabelGrey, timeText});
  p.texts.push_back({8 * static_cast<int>(timeText.size()) + 191, 2, kLabelGrey, "]"});

  // Ten rows, the line scrollPos at the bottom; lines 0 and 1 are never
  // written and show nothing.
  for (int n = scrollPos_ - 9; n <= scrollPos_ && n <= lineCount_; ++n) {
    if (n < 2 || n >= kLineCapacity) continue;
    p.texts.push_back({10, consoleRowY(n, scrollPos_), levelColour(level(n)), line(n)});
  }
  return p;
}

void DebugConsole::inspect() {
  if (!enabled) return;
  ObjectRegistry* registry = ObjectRegistry::current();
  const int index = registry ? registry->find(inspectTarget) : -1;
  if (index < 0) {
    xText = "nicht gefunden";
    yText = "";
    zText = "";
    return;
  }
  // An object without a place in the hierarchy (the filter) has no frame of
  // its own: it is shown at the world origin instead of being read as one.
  const PlacedObject* placed = registry->at(index)->asPlaced();
  const Matrix4 world = placed ? placed->worldTransform() : Matrix4();
  const Vector4 p = world.transformVector(Vector4(0, 0, 0, 1));
  const InspectorTexts t = formatInspector(p.x, p.y, p.z);
  xText = t.x;
  yText = t.y;
  zText = t.z;
}

void DebugConsole::moveObject(const std::string& name, int direction) {
  if (!enabled) return;
  ObjectRegistry* registry = ObjectRegistry::current();
  const int index = registry ? registry->find(name) : -1;
  if (index < 0) {
    print("Zu bewegendes Object (", 0);
    append(name, 0);
    append(") nicht gefunden", 0);
    return;
  }
  MoverRecord record;
  record.name = registry->at(index)->name;
  record.argument = moverArgument(direction);
  execute(record);
  redraw();
}

void DebugConsole::scriptStep() {
  if (runScriptStep)
    runScriptStep();
  else if (Script* script = Script::current())
    script->step();
}

void DebugConsole::execute(const MoverRecord& mover) {
  if (executeRecord) {
    executeRecord(mover);
    return;
  }
  Script* script = Script::current();
  if (!script) return;
  ScriptRecord record;
  record.name = mover.name;
  record.letter = mover.letter;
  record.kind = mover.kind;
  record.argument = mover.argument;
  script->execute(record);
}

void DebugConsole::backspace() {
  if (!inputMode) return;
  // An empty line stays empty (the cursor never goes below 0).
  if (inputLength <= 0) return;
  inputLength -= 1;
  inputLine.resize(static_cast<size_t>(inputLength));
  redraw();
}

void DebugConsole::enterKey(FrameClock* clock) {
  if (!inputMode) {
    redraw();
    return;
  }
  inputMode = false;
  if (clock) clock->resume();
  if (!inputLine.empty() && static_cast<unsigned char>(inputLine[0]) == 0xBB) {
    // The main keyboard's plus key first: the rest names the mover's target.
    inputLength = 0;
    moveTarget = inputLine.substr(1);
  } else {
    inputLength = 0;
    if (inputLine == "CLC")
      setLineCount(1);
    else
      inspectTarget = inputLine;
  }
  inputLine.clear();
  redraw();
}

void DebugConsole::fastForward(FrameClock* clock, int steps) {
  if (clock) clock->pause();
  for (int i = 0; i < steps; ++i) scriptStep();
  if (clock) clock->resume();
  logDiagnostic("console: fast-forward by " + std::to_string(steps) + " steps, time counter " +
                std::to_string(timeCounter_));
}

void DebugConsole::scrollUp() {
  if (scrollPos_ > 12) scrollPos_ -= 1;
  redraw();
}

void DebugConsole::scrollDown() {
  if (scrollPos_ < lineCount_) scrollPos_ += 1;
  redraw();
}

void DebugConsole::toggleInputMode(FrameClock* clock) {
  if (!inputMode) {
    if (clock) clock->pause();
    inputMode = true;
    inputLength = 0;
    inputLine.clear();
  } else {
    // inputLength stays: turning input mode on resets it.
    inputLine.clear();
    inputMode = false;
    if (clock) clock->resume();
  }
  redraw();
}

void DebugConsole::typeKey(int virtualKey) {
  if (!inputMode) return;
  // The line holds 99 characters and its terminator; further keys are
  // ignored rather than written past it.
  if (inputLength < 0 || inputLength >= kInputBytes - 1) return;
  // A code whose low byte is 0 would only end the line early.
  if ((virtualKey & 0xFF) == 0) return;
  char c = static_cast<char>(virtualKey & 0xFF);
  if (shiftLock) {
    switch (virtualKey & 0xFF) {
      case 0x2C: c = ';'; break;
      case 0x2E: c = ':'; break;
      case 0x30: c = '='; break;
      case 0x31: c = '!'; break;
      case 0x32: c = '"'; break;
      case 0x38: c = '('; break;
      case 0x39: c = ')'; break;
      case 0xBE: c = '.'; break;
      default: break;
    }
  }
  inputLine.resize(static_cast<size_t>(inputLength));
  inputLine += c;
  inputLength += 1;
  redraw();
}

void paintConsole(const ConsolePaint& paint, OffscreenBitmap& canvas, TextPainter& painter) {
  for (const ConsoleFill& f : paint.fills) canvas.fill(f.x, f.y, f.w, f.h, f.rgb);
  for (const ConsoleText& t : paint.texts)
    painter.drawText(canvas, t.text, t.x, t.y, t.rgb, TextPainter::Align::LeftTop);
}

}  // namespace wf
