// The debug console of console mode: the log (ConsoleLog) plus the step
// counter display, the object inspector, the input line and the object mover.
//
// This class is the console's whole behaviour as plain logic: what one
// repaint draws (layout()), the inspector's texts, the mover's commands and
// the console keys' effects. The window that shows it (DebugConsoleWindow)
// only turns layout() into pixels. redraw() does not paint: it marks the view
// stale, and the window repaints at most once per frame, because every print
// and every script step asks for a redraw and painting each of them made
// fast-forwarding crawl. Every line still reaches the view: a repaint draws
// the log as it is then.
//
// Window coordinates are pixels from the top-left of the 270x220 window;
// colours are 0xRRGGBB.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/Console.h"
#include "shell/OffscreenBitmap.h"

namespace wf {

class FrameClock;

// The statement the mover hands to the interpreter: a combine command
// (kind 2) with the letter M on the named object.
struct MoverRecord {
  std::string name;
  char letter = 'M';
  int kind = 2;
  std::string argument;
};

struct ConsoleFill {
  int x, y, w, h;
  uint32_t rgb;
};
struct ConsoleText {
  int x, y;  // top-left of the text cell
  uint32_t rgb;
  std::string text;
};
// One repaint: the fills first, then the texts, in this order.
struct ConsolePaint {
  std::vector<ConsoleFill> fills;
  std::vector<ConsoleText> texts;
};

// The three inspector texts for a world position.
struct InspectorTexts {
  std::string x, y, z;
};
InspectorTexts formatInspector(double px, double py, double pz);

// "0,0.1" ... for directions 1 to 12; "0,0,0,1" (no change) for any other.
const char* moverArgument(int direction);

// The log row of a line and the scroll marker's y; no marker when the log
// has exactly ten lines.
int consoleRowY(int lineNumber, int scrollPos);
bool consoleMarkerY(int lineCount, int scrollPos, int* y);

class DebugConsole : public ConsoleLog {
 public:
  static constexpr int kWidth = 270;
  static constexpr int kHeight = 220;
  static constexpr int kInputBytes = 100;  // 99 characters and a terminator

  DebugConsole();
  ~DebugConsole() override;

  // The process-wide console if it is a DebugConsole (console mode).
  static DebugConsole* current();

  // Marks the view stale; the window repaints once per frame.
  void redraw() override { repaintPending_ = true; }
  bool repaintPending() const { return repaintPending_; }
  // What one repaint draws (runs the inspector unless input mode is on) and
  // clears the stale mark.
  ConsolePaint layout();

  // Recomputes xText, yText, zText for inspectTarget (only while enabled).
  void inspect();
  // One mover step on the named object (only while enabled).
  void moveObject(const std::string& name, int direction);

  // The console keys.
  void backspace();
  void enterKey(FrameClock* clock);
  void toggleShiftLock() { shiftLock = !shiftLock; }
  // Space: `steps` script steps at once with the clock paused.
  void fastForward(FrameClock* clock, int steps);
  void scrollUp();
  void scrollDown();
  void toggleInputMode(FrameClock* clock);
  // Any other key in input mode: the key code's low byte (or its shift-lock
  // replacement) joins the input line.
  void typeKey(int virtualKey);

  bool enabled = false;   // inspector and mover do nothing until the entry sets it
  bool inputMode = false;
  std::string inputLine = "Befehl";  // placeholder until input mode first empties it
  int inputLength = 0;    // characters in inputLine
  bool shiftLock = false;
  std::string moveTarget = "Base";
  std::string inspectTarget = "Base";
  std::string xText = "Guten Morgen", yText = "Guten Morgen", zText = "Guten Morgen";

  // The interpreter. Unset, they reach the process-wide Script: step(), and
  // execute() of a record built from the MoverRecord (line 0, as the record
  // comes from no line of the script). Tests put their own in.
  std::function<void()> runScriptStep;
  std::function<void(const MoverRecord&)> executeRecord;

 private:
  void scriptStep();
  void execute(const MoverRecord& record);

  bool repaintPending_ = true;
};

// Draws a repaint onto the console's canvas: over what is there, as the
// window's own device context would (nothing outside the fills is cleared).
void paintConsole(const ConsolePaint& paint, OffscreenBitmap& canvas, TextPainter& painter);

}  // namespace wf
