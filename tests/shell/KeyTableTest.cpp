#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/EngineHost.h"
#include "base/FrameClock.h"
#include "base/MainWindow.h"
#include "platform/SdlKeys.h"
#include "scene/ObjectRegistry.h"
#include "scene/PlacedObject.h"
#include "script/Script.h"
#include "shell/DebugConsole.h"
#include "shell/KeyTable.h"

using namespace wf;

TEST(KeyTranslation, KeysAsTheKeyTableSeesThem) {
  struct Case { int key, mod, want; const char* what; } const cases[] = {
      {SDLK_q, KMOD_LSHIFT, 'Q', "letters are capitals, Shift or not"},
      {SDLK_F12, KMOD_NONE, 0x7B, "F12 has a code the input line can type"},
      {SDLK_a, KMOD_LALT, 0, "Alt makes a system key, which the table never sees"},
      {SDLK_KP_8, KMOD_NUM, 0x68, "keypad 8 with NumLock is a mover key"},
      {SDLK_KP_8, KMOD_NONE, 0x26, "without NumLock it is Up"}, {SDLK_AUDIOPLAY, KMOD_NONE, 0, "keys without a code"},
      {SDLK_KP_8, KMOD_NUM | KMOD_LSHIFT, 0x26, "Shift inverts NumLock"},
      {SDLK_PLUS, KMOD_NONE, 0xBB, "the German plus key is the plus key"},
  };
  for (const Case& c : cases) EXPECT_EQ(translateSdlKey(c.key, c.mod), c.want) << c.what;
}

namespace {
// The main window, the clock, a registry, a script and the console (published only by publish()).
struct Keys : ::testing::Test {
  HeadlessWindow window{320, 200};
  VirtualTimeSource time;
  FrameClock clock{time, [] {}};
  ObjectRegistry registry;
  EngineHost host{DeclarationTarget{&registry, {}, nullptr}};
  Script script{Script::FromText{}, "MESSAGE(eins);\nd1000 MESSAGE(zwei);\n", &host};
  DebugConsole console;
  void publish() { setCurrentConsole(&console), console.enabled = true; }
  void TearDown() override { setCurrentConsole(nullptr); }
  void press(std::initializer_list<int> keys) { std::for_each(keys.begin(), keys.end(), handleKeyDown); }
};
}  // namespace

TEST_F(Keys, PauseAndEscapeWorkAlwaysTheConsoleKeysOnlyWithAConsole) {
  press({vk::kPause});
  EXPECT_TRUE(clock.isPaused());
  press({vk::kPause, vk::kScroll, 'A', vk::kReturn, vk::kSpace, vk::kShift, 0x63});
  EXPECT_FALSE(clock.isPaused() || console.inputMode || console.shiftLock || console.timeCounter() || !window.isAlive())
      << "every Pause toggles; the console keys did nothing";
  press({vk::kEscape});
  EXPECT_FALSE(window.isAlive());
}

TEST_F(Keys, SpaceRunsAThousandStepsOfTheScriptEvenInInputModeAndUpAndDownScroll) {
  publish();
  press({vk::kSpace});
  EXPECT_EQ(console.line(console.lineCount()) + std::to_string(console.timeCounter()), "eins1000")
      << "zwei is due 1000 steps after the first step";
  press({vk::kScroll, vk::kSpace});
  EXPECT_EQ(console.timeCounter(), 2000);
  EXPECT_EQ(console.line(console.lineCount()), "zwei");
  EXPECT_EQ(console.inputLine, "") << "a space never reaches the input line";
  EXPECT_FALSE(clock.isPaused()) << "Space clears the pause, input mode or not";
  for (int i = 0; i < 20; ++i) console.print("z", 1);  // lines 4..23
  press({vk::kDown});
  EXPECT_EQ(console.scrollPos(), 23) << "Down stops at the last line";
  for (int i = 0; i < 30; ++i) press({vk::kUp});
  EXPECT_EQ(console.scrollPos(), 12) << "Up stops with line 12 at the bottom";
}

TEST_F(Keys, TheInputLineAndEnter) {
  publish();
  press({'A', vk::kBack});
  EXPECT_EQ(console.inputLine, "Befehl") << "no typing or Backspace outside input mode";
  for (int i = 0; i < 5; ++i) console.print("alt", 1);
  press({vk::kScroll, 'R', 'I', 'N', 'G', vk::kReturn, vk::kScroll, 'C', 'L', 'C', vk::kReturn, vk::kReturn});
  EXPECT_EQ(console.inspectTarget, "RING") << "a typed line names the inspected object";
  EXPECT_EQ(console.lineCount(), 1) << "CLC empties the log (and Enter outside input mode only repaints)";
  EXPECT_FALSE(console.inputMode || clock.isPaused());
  press({vk::kScroll, 'H', '0', '9', vk::kNumpad2, 0xBE, vk::kShift, '0', '9', '1', '2', '8', 0x2C, 0x2E, 0xBE, 'A'});
  EXPECT_TRUE(clock.isPaused());
  EXPECT_EQ(console.inputLine, "H09b\xBE=)!\"(;:.A") << "keypad 2 types b; Shift locks the replacements";
  press({vk::kShift, '0', vk::kBack, vk::kBack});
  EXPECT_EQ(console.inputLine, "H09b\xBE=)!\"(;:.");
  press({vk::kScroll});
  EXPECT_FALSE(clock.isPaused());
  EXPECT_EQ(console.inputLine, "");
  EXPECT_EQ(console.inputLength, 13) << "leaving input mode keeps the cursor, entering resets it";
  press({vk::kScroll, vk::kBack});
  EXPECT_EQ(console.inputLength, 0) << "Backspace on an empty line does nothing";
  for (int i = 0; i < 150; ++i) press({'A' + i % 26});
  EXPECT_EQ(console.inputLine.size(), 99u) << "99 characters and the terminator fill the line";
}

// The keypad combines a step into the mover target's transform through the
// interpreter. Every case starts from a move by (1, 2, 3); turns are quarter
// turns with pi = 3.1415926535.
TEST_F(Keys, KeypadMovesTheTargetThroughTheInterpreter) {
  publish();
  PlacedObject* ziel = registry.add(std::make_unique<PlacedObject>("Ziel"));
  ziel->name = "Ziel";
  console.inspectTarget = "RING";
  press({vk::kScroll, vk::kOemPlus, 'Z', 'I', 'E', 'L', vk::kReturn});
  EXPECT_EQ(console.moveTarget + console.inspectTarget, "ZIELRING") << "the plus key's line names the target only";
  const double sine = std::sin(0.05 * 3.1415926535);
  struct Case { int key; const char* what; int row, column; double want; } const cases[] = {
      {0x66, "6: x + 0.1", 0, 3, 1.1}, {0x64, "4: x - 0.1", 0, 3, 0.9}, {0x60, "0: y + 0.1", 1, 3, 2.1},
      {0x6E, ".: y - 0.1", 1, 3, 1.9}, {0x68, "8: z + 0.1", 2, 3, 3.1}, {0x65, "5: z - 0.1", 2, 3, 2.9},
      {0x6B, "+: scale 1.1", 1, 3, 2.2}, {0x6D, "-: scale 0.9", 1, 3, 1.8}, {vk::kNumpad2, "2: none", 0, 3, 1},
      {0x69, "9: about y", 0, 2, sine}, {0x67, "7: back about y", 0, 2, -sine}, {0x63, "3: about x", 1, 2, sine},
      {0x61, "1: back about x", 1, 2, -sine},
  };
  for (const Case& c : cases) {
    ziel->transform = Matrix4::translation(1, 2, 3, 1);
    press({c.key});
    EXPECT_NEAR(ziel->transform.m[c.row][c.column], c.want, 1e-12) << "keypad " << c.what;
  }
}
