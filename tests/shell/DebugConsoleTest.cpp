#include <gtest/gtest.h>

#include "app/EngineHost.h"

#include <cmath>

#include "FakeTextPainter.h"
#include "base/FrameClock.h"
#include "shell/DebugConsole.h"
#include "scene/ObjectRegistry.h"
#include "scene/PlacedObject.h"
#include "script/Script.h"

using namespace wf;

namespace {

// The texts of a repaint at one position, or "" if none is drawn there.
std::string textAt(const ConsolePaint& p, int x, int y) {
  for (const ConsoleText& t : p.texts)
    if (t.x == x && t.y == y) return t.text;
  return "";
}
const ConsoleText* findText(const ConsolePaint& p, const std::string& text) {
  for (const ConsoleText& t : p.texts)
    if (t.text == text) return &t;
  return nullptr;
}

// A console that is the process-wide one for the test's duration.
struct PublishedConsole {
  DebugConsole console;
  PublishedConsole() {
    setCurrentConsole(&console);
    console.enabled = true;
  }
  ~PublishedConsole() { setCurrentConsole(nullptr); }
};

PlacedObject* addObject(ObjectRegistry& registry, const std::string& name) {
  PlacedObject* o = registry.add(std::make_unique<PlacedObject>(name));
  o->name = name;
  return o;
}

}  // namespace

TEST(DebugConsole, InitialState) {
  DebugConsole c;
  EXPECT_FALSE(c.enabled);
  EXPECT_EQ(c.timeCounter(), 0);
  EXPECT_FALSE(c.inputMode);
  EXPECT_FALSE(c.shiftLock);
  EXPECT_EQ(c.moveTarget, "Base");
  EXPECT_EQ(c.inspectTarget, "Base");
  EXPECT_EQ(c.xText, "Guten Morgen");
  EXPECT_EQ(c.lineCount(), 1);
  EXPECT_EQ(c.scrollPos(), 0);
  EXPECT_EQ(c.inputLine.size(), 6u) << "a six-letter placeholder";
}

TEST(DebugConsole, FirstLineIsDrawnInTheBottomRow) {
  DebugConsole c;
  c.print("erste", 1);
  const ConsolePaint p = c.layout();
  EXPECT_EQ(textAt(p, 10, 151), "erste");
  int logRows = 0;
  for (const ConsoleText& t : p.texts) logRows += t.x == 10 && t.y >= 25;
  EXPECT_EQ(logRows, 1) << "the nine rows above stay empty";
}

TEST(DebugConsole, TenRowsFourteenApartWithLevelColours) {
  DebugConsole c;
  for (int i = 0; i < 15; ++i) c.print("zeile " + std::to_string(i + 2), i % 4);
  const ConsolePaint p = c.layout();
  // Lines 7..16 in rows y = 25, 39, ..., 151.
  for (int n = 7; n <= 16; ++n) {
    const int y = 14 * (n - 16 + 9) + 25;
    EXPECT_EQ(textAt(p, 10, y), "zeile " + std::to_string(n)) << "row y " << y;
    EXPECT_EQ(consoleRowY(n, 16), y);
  }
  const uint32_t want[] = {0xFF0000, 0x000000, 0x6E6E6E, 0x6E6E6E};  // levels 0, 1, 2, 3
  for (int n = 7; n <= 16; ++n) {
    const ConsoleText* t = findText(p, "zeile " + std::to_string(n));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->rgb, want[(n - 2) % 4]) << "line " << n;
  }
}

TEST(DebugConsole, LineFiftyLevelNeverShown) {
  DebugConsole c;
  c.setThreshold(50);
  c.print("unsichtbar", 50);
  EXPECT_EQ(findText(c.layout(), "unsichtbar"), nullptr);
}

TEST(DebugConsole, FixedTextsAndTimeCounter) {
  DebugConsole c;
  for (int i = 0; i < 1234; ++i) c.countStep();
  const ConsolePaint p = c.layout();
  EXPECT_EQ(textAt(p, 10, 2), "Mohn Logger 2.0");
  EXPECT_EQ(textAt(p, 145, 2), "Time: [");
  EXPECT_EQ(textAt(p, 190, 2), "1234");
  EXPECT_EQ(textAt(p, 8 * 4 + 191, 2), "]");
  EXPECT_EQ(textAt(p, 242, 18), "__");
  EXPECT_EQ(textAt(p, 242, 150), "__");
  ASSERT_EQ(p.fills.size(), 2u);
  EXPECT_EQ(p.fills[0].w, 270);
  EXPECT_EQ(p.fills[0].rgb, 0xFFFFFFu);
  EXPECT_EQ(p.fills[1].y, 170);
  EXPECT_EQ(p.fills[1].rgb, 0u);
}

TEST(DebugConsole, ScrollMarker) {
  struct Case {
    int lineCount, scrollPos;
    bool drawn;
    int y;
  };
  const Case cases[] = {
      {20, 15, true, 88},   // 140 / 10 * 5 + 18
      {10, 10, false, 0},   // no marker with exactly ten lines
      {30, 30, true, 158},  // 140 / 20 = 7, * 20 + 18
      {1999, 1999, true, 18},  // 140 / 1989 = 0
      {5, 5, true, 158},    // 140 / -5 = -28, * -5 + 18
      {16, 12, true, 64},   // 140 / 6 = 23, * 2 + 18
  };
  for (const Case& c : cases) {
    int y = -1;
    EXPECT_EQ(consoleMarkerY(c.lineCount, c.scrollPos, &y), c.drawn) << c.lineCount << "/" << c.scrollPos;
    if (c.drawn) {
      EXPECT_EQ(y, c.y) << c.lineCount << "/" << c.scrollPos;
    }
  }
  DebugConsole console;
  for (int i = 0; i < 19; ++i) console.print("x", 1);
  console.setScrollPos(15);
  const ConsolePaint paint = console.layout();
  const ConsoleText* marker = findText(paint, "#");
  ASSERT_NE(marker, nullptr);
  EXPECT_EQ(marker->x, 246);
  EXPECT_EQ(marker->y, 88);
}

TEST(DebugConsole, RedrawOnlyMarksTheViewStale) {
  DebugConsole c;
  c.layout();
  EXPECT_FALSE(c.repaintPending());
  for (int i = 0; i < 500; ++i) c.print("viele", 1);
  EXPECT_TRUE(c.repaintPending());
  const ConsolePaint p = c.layout();
  EXPECT_FALSE(c.repaintPending());
  EXPECT_EQ(textAt(p, 10, 151), "viele") << "the one repaint shows the newest line";
  c.countStep();
  EXPECT_TRUE(c.repaintPending()) << "a script step asks for a repaint";
}

TEST(DebugConsole, InspectorTextsWithTheMinusOfTheNextNumber) {
  const InspectorTexts t = formatInspector(1.5, -2.25, 0.05);
  EXPECT_EQ(t.x, " : 1.50 , -");
  EXPECT_EQ(t.y, "2.25 ,");
  EXPECT_EQ(t.z, ".5");

  struct Case {
    double x, y, z;
    const char* tx;
    const char* ty;
    const char* tz;
  };
  const Case cases[] = {
      {0.5, 0, 0, " : 0.50 , ", "0.00 ,", "0.00"},
      {-0.5, 3, -12.345, " : -0.50 , ", "3.00 ,-", "12.35"},
      {0.004, 0.006, -0.001, " : . , ", ".1 ,-", "."},
      {100, -0.0, 1e6, " : 100.00 , ", "0.00 ,", "1000000.00"},
  };
  for (const Case& c : cases) {
    const InspectorTexts r = formatInspector(c.x, c.y, c.z);
    EXPECT_EQ(r.x, c.tx) << c.x;
    EXPECT_EQ(r.y, c.ty) << c.y;
    EXPECT_EQ(r.z, c.tz) << c.z;
  }
}

TEST(DebugConsole, InspectShowsTheWorldOrigin) {
  ObjectRegistry registry;
  EngineHost host{DeclarationTarget{&registry, {}, nullptr}};
  PublishedConsole pc;
  PlacedObject* ring = addObject(registry, "Ring");
  ring->transform = Matrix4::translation(1.5, -2.25, 0.05, 1);
  pc.console.inspectTarget = "RING";  // typed names arrive in capitals
  const ConsolePaint p = pc.console.layout();
  EXPECT_EQ(textAt(p, 3, 175), "RING");
  EXPECT_EQ(textAt(p, 107, 175), " : 1.50 , -");
  EXPECT_EQ(textAt(p, 161, 175), "2.25 ,");
  EXPECT_EQ(textAt(p, 200, 175), ".5");

  // Moving Base moves every child.
  registry.at(registry.find("Base"))->asPlaced()->transform = Matrix4::translation(1, 1, 1, 1);
  pc.console.inspect();
  EXPECT_EQ(pc.console.xText, " : 2.50 , -");
  EXPECT_EQ(pc.console.yText, "1.25 ,");
  EXPECT_EQ(pc.console.zText, "1.05");
}

TEST(DebugConsole, InspectUnknownObjectAndDisabledConsole) {
  ObjectRegistry registry;
  EngineHost host{DeclarationTarget{&registry, {}, nullptr}};
  PublishedConsole pc;
  pc.console.inspectTarget = "NIEMAND";
  pc.console.inspect();
  EXPECT_EQ(pc.console.xText, "nicht gefunden");
  EXPECT_EQ(pc.console.yText, "");
  EXPECT_EQ(pc.console.zText, "");

  DebugConsole off;
  off.inspectTarget = "NIEMAND";
  off.inspect();
  EXPECT_EQ(off.xText, "Guten Morgen") << "nothing happens until enabled";
}

TEST(DebugConsole, InputModeScreen) {
  DebugConsole c;
  c.toggleInputMode(nullptr);
  c.typeKey('A');
  c.typeKey('B');
  const ConsolePaint p = c.layout();
  EXPECT_EQ(textAt(p, 84, 188), "eingabe modus");
  EXPECT_EQ(textAt(p, 3, 175), "AB");
  EXPECT_EQ(textAt(p, 107, 175), "") << "no inspector in input mode";
  ASSERT_EQ(p.fills.size(), 2u);
  EXPECT_EQ(p.fills[0].w, 260);
  EXPECT_EQ(p.fills[1].w, 260);
}

TEST(DebugConsole, MoverArguments) {
  const char* const want[] = {"0,0.1",      "0,-0.1",    "1,-0.1",      "1,0.1",     "0,0,0.1,1", "0,0,-0.1,1",
                              "-0.1,0,0,1", "0.1,0,0,1", "0,-0.1,0,1", "0,0.1,0,1", "1.1",       "0.9"};
  for (int d = 1; d <= 12; ++d) EXPECT_STREQ(moverArgument(d), want[d - 1]) << "direction " << d;
  EXPECT_STREQ(moverArgument(0), "0,0,0,1");
  EXPECT_STREQ(moverArgument(13), "0,0,0,1");
  EXPECT_STREQ(moverArgument(-5), "0,0,0,1");
}

TEST(DebugConsole, MoverHandsACombineRecordToTheInterpreter) {
  ObjectRegistry registry;
  EngineHost host{DeclarationTarget{&registry, {}, nullptr}};
  PublishedConsole pc;
  addObject(registry, "Ring");
  std::vector<MoverRecord> records;
  pc.console.executeRecord = [&](const MoverRecord& r) { records.push_back(r); };
  pc.console.layout();
  pc.console.moveObject("RING", 4);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].name, "Ring") << "the registered name, not the typed one";
  EXPECT_EQ(records[0].letter, 'M');
  EXPECT_EQ(records[0].kind, 2);
  EXPECT_EQ(records[0].argument, "1,0.1");
  EXPECT_TRUE(pc.console.repaintPending());
}

TEST(DebugConsole, MoverMatricesThroughPlacedObject) {
  ObjectRegistry registry;
  EngineHost host{DeclarationTarget{&registry, {}, nullptr}};
  PublishedConsole pc;
  PlacedObject* o = addObject(registry, "Ziel");
  pc.console.executeRecord = [](const MoverRecord& r) { lookupObject(r.name)->addProperty(r.letter, r.argument); };
  struct Case {
    int direction;
    Matrix4 step;
  };
  const Case cases[] = {
      {1, Matrix4::rotation('x', 0.1)},  {2, Matrix4::rotation('x', -0.1)},
      {3, Matrix4::rotation('y', -0.1)}, {4, Matrix4::rotation('y', 0.1)},
      {5, Matrix4::translation(0, 0, 0.1, 1)},  {6, Matrix4::translation(0, 0, -0.1, 1)},
      {7, Matrix4::translation(-0.1, 0, 0, 1)}, {8, Matrix4::translation(0.1, 0, 0, 1)},
      {9, Matrix4::translation(0, -0.1, 0, 1)}, {10, Matrix4::translation(0, 0.1, 0, 1)},
      {11, Matrix4::uniformScale(1.1)},         {12, Matrix4::uniformScale(0.9)},
  };
  for (const Case& c : cases) {
    const Matrix4 start = Matrix4::translation(1, 2, 3, 1);
    o->transform = start;
    pc.console.moveObject("ziel", c.direction);
    const Matrix4 want = c.step * start;
    for (int r = 0; r < 4; ++r)
      for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(o->transform.m[r][k], want.m[r][k], 1e-12) << "direction " << c.direction << " [" << r << "][" << k << "]";
  }
}

TEST(DebugConsole, MoverReportsAMissingTarget) {
  ObjectRegistry registry;
  EngineHost host{DeclarationTarget{&registry, {}, nullptr}};
  PublishedConsole pc;
  int calls = 0;
  pc.console.executeRecord = [&](const MoverRecord&) { ++calls; };
  pc.console.moveObject("WEG", 1);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(pc.console.line(pc.console.lineCount()), "Zu bewegendes Object (WEG) nicht gefunden");
  EXPECT_EQ(pc.console.level(pc.console.lineCount()), 0);

  DebugConsole off;
  off.moveObject("WEG", 1);
  EXPECT_EQ(off.lineCount(), 1) << "nothing happens until enabled";
}

TEST(DebugConsoleKeys, TypingShiftLockAndBackspace) {
  DebugConsole c;
  c.typeKey('A');
  EXPECT_EQ(c.inputLine, "Befehl") << "no typing outside input mode";
  c.toggleInputMode(nullptr);
  EXPECT_EQ(c.inputLine, "");
  for (int key : std::initializer_list<int>{'H', '0', '9', 0x62, 0xBE}) c.typeKey(key);
  EXPECT_EQ(c.inputLine, "H09b\xBE");
  c.toggleShiftLock();
  for (int key : std::initializer_list<int>{'0', '9', '1', '2', '8', 0x2C, 0x2E, 0xBE, 'A', '3'}) c.typeKey(key);
  EXPECT_EQ(c.inputLine, "H09b\xBE=)!\"(;:.A3");
  EXPECT_EQ(c.inputLength, static_cast<int>(c.inputLine.size()));
  c.backspace();
  c.backspace();
  EXPECT_EQ(c.inputLine, "H09b\xBE=)!\"(;:.");
}

TEST(DebugConsoleKeys, BackspaceOnAnEmptyLineDoesNothing) {
  DebugConsole c;
  c.toggleInputMode(nullptr);
  c.backspace();
  EXPECT_EQ(c.inputLength, 0);
  c.typeKey('X');
  EXPECT_EQ(c.inputLine, "X");
}

TEST(DebugConsoleKeys, InputLineHoldsNinetyNineCharacters) {
  DebugConsole c;
  c.toggleInputMode(nullptr);
  for (int i = 0; i < 150; ++i) c.typeKey('A' + i % 26);
  EXPECT_EQ(c.inputLength, 99);
  EXPECT_EQ(c.inputLine.size(), 99u);
  c.backspace();
  c.typeKey('Z');
  EXPECT_EQ(c.inputLine.back(), 'Z');
  EXPECT_EQ(c.inputLength, 99);
}

TEST(DebugConsoleKeys, ScrollLockPausesAndEnterResumes) {
  VirtualTimeSource time;
  FrameClock clock(time, [] {});
  DebugConsole c;
  c.toggleInputMode(&clock);
  EXPECT_TRUE(c.inputMode);
  EXPECT_TRUE(clock.isPaused());
  c.typeKey('X');
  c.toggleInputMode(&clock);
  EXPECT_FALSE(c.inputMode);
  EXPECT_FALSE(clock.isPaused());
  EXPECT_EQ(c.inputLine, "");
  EXPECT_EQ(c.inputLength, 1) << "leaving input mode keeps the cursor";
  c.toggleInputMode(&clock);
  EXPECT_EQ(c.inputLength, 0) << "entering resets it";
}

TEST(DebugConsoleKeys, EnterSetsInspectTargetMoveTargetOrClears) {
  VirtualTimeSource time;
  FrameClock clock(time, [] {});
  DebugConsole c;
  for (int i = 0; i < 5; ++i) c.print("alt", 1);

  c.toggleInputMode(&clock);
  for (int key : std::initializer_list<int>{'R', 'I', 'N', 'G'}) c.typeKey(key);
  c.enterKey(&clock);
  EXPECT_EQ(c.inspectTarget, "RING");
  EXPECT_FALSE(c.inputMode);
  EXPECT_FALSE(clock.isPaused());
  EXPECT_EQ(c.inputLine, "");
  EXPECT_EQ(c.inputLength, 0);

  c.toggleInputMode(&clock);
  for (int key : std::initializer_list<int>{0xBB, 'S', 'O', 'N', 'N', 'E'}) c.typeKey(key);
  c.enterKey(&clock);
  EXPECT_EQ(c.moveTarget, "SONNE");
  EXPECT_EQ(c.inspectTarget, "RING") << "the inspected object stays";

  c.toggleInputMode(&clock);
  for (int key : std::initializer_list<int>{'C', 'L', 'C'}) c.typeKey(key);
  c.enterKey(&clock);
  EXPECT_EQ(c.lineCount(), 1) << "CLC empties the log";
  EXPECT_EQ(c.inspectTarget, "RING");
  c.print("neu", 1);
  EXPECT_EQ(c.lineCount(), 2);
  EXPECT_EQ(c.line(2), "neu");

  // Enter outside input mode only repaints.
  c.layout();
  c.enterKey(&clock);
  EXPECT_TRUE(c.repaintPending());
  EXPECT_EQ(c.inspectTarget, "RING");
}

TEST(DebugConsoleKeys, ScrollLimits) {
  DebugConsole c;
  for (int i = 0; i < 20; ++i) c.print("z", 1);  // lines 2..21
  EXPECT_EQ(c.scrollPos(), 21);
  c.scrollDown();
  EXPECT_EQ(c.scrollPos(), 21) << "Down stops at the last line";
  for (int i = 0; i < 30; ++i) c.scrollUp();
  EXPECT_EQ(c.scrollPos(), 12) << "Up stops with line 12 at the bottom";
  const ConsolePaint p = c.layout();
  int rows = 0;
  for (const ConsoleText& t : p.texts) rows += t.x == 10 && t.y >= 25;
  EXPECT_EQ(rows, 10) << "lines 3 to 12";
  c.scrollDown();
  EXPECT_EQ(c.scrollPos(), 13);
}

TEST(DebugConsoleKeys, FastForwardRunsStepsPaused) {
  VirtualTimeSource time;
  FrameClock clock(time, [] {});
  DebugConsole c;
  int steps = 0;
  bool allPaused = true;
  c.runScriptStep = [&] {
    ++steps;
    allPaused = allPaused && clock.isPaused();
    c.countStep();
  };
  c.fastForward(&clock, 1000);
  EXPECT_EQ(steps, 1000);
  EXPECT_TRUE(allPaused);
  EXPECT_FALSE(clock.isPaused());
  EXPECT_EQ(c.timeCounter(), 1000);
}

TEST(DebugConsole, PaintDrawsOverTheCanvasWithoutClearingOutsideTheFills) {
  DebugConsole c;
  OffscreenBitmap canvas(DebugConsole::kWidth, DebugConsole::kHeight);
  canvas.fill(0, 0, 270, 220, 0x00AA00);
  wf::test::FakeTextPainter painter;
  c.toggleInputMode(nullptr);
  paintConsole(c.layout(), canvas, painter);
  EXPECT_EQ(canvas.atTop(0, 0), 0x00AA00u) << "the fills start at (1, 1)";
  EXPECT_EQ(canvas.atTop(265, 100), 0x00AA00u) << "input mode leaves the right strip";
  EXPECT_EQ(canvas.atTop(5, 100), 0xFFFFFFu);
  EXPECT_EQ(canvas.atTop(5, 200), 0u);
  EXPECT_EQ(canvas.atTop(84, 188), 0x646464u) << "the fake painter marks the text's anchor";
  ASSERT_FALSE(painter.calls.empty());
  EXPECT_EQ(painter.calls[0].align, TextPainter::Align::LeftTop);
}

TEST(DebugConsoleWithScript, SpaceAndMoverReachTheProcessWideScript) {
  ObjectRegistry registry;
  EngineHost host{DeclarationTarget{&registry, {}, nullptr}};
  PublishedConsole pc;
  Script script(Script::FromText{}, "MESSAGE(eins);\nd1000 MESSAGE(zwei);\n", &host);
  PlacedObject* target = addObject(registry, "Ziel");

  pc.console.fastForward(nullptr, 1000);
  EXPECT_EQ(pc.console.timeCounter(), 1000) << "every step counts on the console";
  ASSERT_EQ(pc.console.lineCount(), 2);
  EXPECT_EQ(pc.console.line(2), "eins");
  pc.console.fastForward(nullptr, 1);
  EXPECT_EQ(pc.console.line(pc.console.lineCount()), "zwei") << "1000 steps after the first statement";

  pc.console.moveObject("ZIEL", 8);
  EXPECT_NEAR(target->transform.m[0][3], 0.1, 1e-12) << "moved along x by the interpreter";
  pc.console.moveObject("ZIEL", 11);
  EXPECT_NEAR(target->transform.m[0][0], 1.1, 1e-12);
}
