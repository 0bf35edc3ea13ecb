#include <SDL.h>
#include <gtest/gtest.h>

#include "base/FrameClock.h"
#include "shell/DebugConsole.h"
#include "platform/SdlKeys.h"
#include "shell/KeyTable.h"
#include "base/MainWindow.h"
#include "scene/ObjectRegistry.h"
#include "scene/PlacedObject.h"

using namespace wf;

TEST(KeyTranslation, SdlKeysToVirtualKeyCodes) {
  struct Case {
    SDL_Keycode key;
    int mod;
    int want;
    const char* what;
  };
  const Case cases[] = {
      {SDLK_a, KMOD_NONE, 'A', "letters are capitals"},
      {SDLK_z, KMOD_SHIFT, 'Z', "with shift too"},
      {SDLK_0, KMOD_NONE, '0', "digit 0"},
      {SDLK_9, KMOD_CAPS, '9', "digit 9"},
      {SDLK_BACKSPACE, KMOD_NONE, 0x08, "Backspace"},
      {SDLK_RETURN, KMOD_NONE, 0x0D, "Enter"},
      {SDLK_KP_ENTER, KMOD_NONE, 0x0D, "keypad Enter"},
      {SDLK_LSHIFT, KMOD_NONE, 0x10, "left Shift"},
      {SDLK_RSHIFT, KMOD_RSHIFT, 0x10, "right Shift"},
      {SDLK_LCTRL, KMOD_NONE, 0x11, "Ctrl"},
      {SDLK_PAUSE, KMOD_NONE, 0x13, "Pause"},
      {SDLK_ESCAPE, KMOD_NONE, 0x1B, "Escape"},
      {SDLK_SPACE, KMOD_NONE, 0x20, "Space"},
      {SDLK_UP, KMOD_NONE, 0x26, "Up"},
      {SDLK_DOWN, KMOD_NONE, 0x28, "Down"},
      {SDLK_SCROLLLOCK, KMOD_NONE, 0x91, "Scroll Lock"},
      {SDLK_F1, KMOD_NONE, 0x70, "F1"},
      {SDLK_F12, KMOD_NONE, 0x7B, "F12"},
      {SDLK_F10, KMOD_NONE, 0, "F10 is a system key"},
      {SDLK_LALT, KMOD_NONE, 0, "Alt is a system key"},
      {SDLK_a, KMOD_LALT, 0, "keys with Alt are system keys"},
      {SDLK_PRINTSCREEN, KMOD_NONE, 0, "Print Screen sends no key-down"},
      {SDLK_EQUALS, KMOD_NONE, 0xBB, "US plus key"},
      {SDLK_PLUS, KMOD_NONE, 0xBB, "German plus key"},
      {SDLK_PERIOD, KMOD_NONE, 0xBE, "period"},
      {SDLK_COMMA, KMOD_NONE, 0xBC, "comma"},
      {SDLK_MINUS, KMOD_NONE, 0xBD, "minus"},
      {0xFC, KMOD_NONE, 0xBA, "u-umlaut key"},
      {SDLK_KP_8, KMOD_NUM, 0x68, "keypad 8 with NumLock"},
      {SDLK_KP_8, KMOD_NONE, 0x26, "keypad 8 without NumLock is Up"},
      {SDLK_KP_2, KMOD_NUM, 0x62, "keypad 2 with NumLock"},
      {SDLK_KP_2, KMOD_NONE, 0x28, "keypad 2 without NumLock is Down"},
      {SDLK_KP_0, KMOD_NUM, 0x60, "keypad 0"},
      {SDLK_KP_0, KMOD_NONE, 0x2D, "keypad 0 without NumLock is Insert"},
      {SDLK_KP_5, KMOD_NONE, 0x0C, "keypad 5 without NumLock is Clear"},
      {SDLK_KP_PERIOD, KMOD_NUM, 0x6E, "keypad decimal point"},
      {SDLK_KP_PERIOD, KMOD_NONE, 0x2E, "keypad decimal point without NumLock is Delete"},
      {SDLK_KP_8, KMOD_NUM | KMOD_LSHIFT, 0x26, "Shift inverts NumLock"},
      {SDLK_KP_8, KMOD_LSHIFT, 0x68, "Shift without NumLock gives the number"},
      {SDLK_KP_PLUS, KMOD_NONE, 0x6B, "keypad + either way"},
      {SDLK_KP_MINUS, KMOD_NUM, 0x6D, "keypad -"},
      {SDLK_KP_MULTIPLY, KMOD_NONE, 0x6A, "keypad *"},
      {SDLK_UNKNOWN, KMOD_NONE, 0, "unknown"},
      {SDLK_AUDIOPLAY, KMOD_NONE, 0, "keys the table cannot name"},
  };
  for (const Case& c : cases) EXPECT_EQ(translateSdlKey(c.key, c.mod), c.want) << c.what;
}

TEST(KeyTranslation, MoverDirections) {
  const int keys[] = {0x63, 0x61, 0x67, 0x69, 0x68, 0x65, 0x64, 0x66, 0x6E, 0x60, 0x6B, 0x6D};
  for (int d = 1; d <= 12; ++d) EXPECT_EQ(moverDirectionForKey(keys[d - 1]), d) << "direction " << d;
  EXPECT_EQ(moverDirectionForKey(0x62), 0) << "keypad 2 has no direction";
  EXPECT_EQ(moverDirectionForKey('A'), 0);
}

namespace {

// A main window, a clock and (optionally) a published console.
struct KeyFixture : ::testing::Test {
  HeadlessWindow window{320, 200};
  VirtualTimeSource time;
  FrameClock clock{time, [] {}};
  DebugConsole console;
  int steps = 0;
  std::vector<MoverRecord> moves;

  void publish() {
    setCurrentConsole(&console);
    console.enabled = true;
    console.runScriptStep = [this] {
      ++steps;
      console.countStep();
    };
    console.executeRecord = [this](const MoverRecord& r) { moves.push_back(r); };
  }
  void TearDown() override { setCurrentConsole(nullptr); }
  void press(std::initializer_list<int> keys) {
    for (int k : keys) handleKeyDown(k);
  }
};

}  // namespace

TEST_F(KeyFixture, PauseTogglesAndEscapeClosesInEveryMode) {
  handleKeyDown(0x13);
  EXPECT_TRUE(clock.isPaused());
  handleKeyDown(0x13);
  EXPECT_FALSE(clock.isPaused()) << "each auto-repeat toggles again";
  EXPECT_TRUE(window.isAlive());
  handleKeyDown(0x1B);
  EXPECT_FALSE(window.isAlive());
}

TEST_F(KeyFixture, ConsoleKeysDoNothingWithoutAConsole) {
  press({0x91, 'A', 0x0D, 0x20, 0x10, 0x26, 0x63});
  EXPECT_FALSE(console.inputMode);
  EXPECT_FALSE(clock.isPaused());
  EXPECT_EQ(steps, 0);
  EXPECT_FALSE(console.shiftLock);
  EXPECT_TRUE(window.isAlive());
}

TEST_F(KeyFixture, SpaceRunsAThousandStepsEvenInInputMode) {
  publish();
  handleKeyDown(0x20);
  EXPECT_EQ(steps, 1000);
  EXPECT_EQ(console.timeCounter(), 1000);
  EXPECT_FALSE(clock.isPaused());
  handleKeyDown(0x91);
  handleKeyDown(0x20);
  EXPECT_EQ(steps, 2000);
  EXPECT_EQ(console.inputLine, "") << "a space never reaches the input line";
  EXPECT_TRUE(console.inputMode);
}

TEST_F(KeyFixture, KeypadTwoTypesALowerCaseB) {
  publish();
  press({0x91, 0x62, 'A', '1'});
  EXPECT_EQ(console.inputLine, "bA1");
}

TEST_F(KeyFixture, ShiftLockTypesTheReplacements) {
  publish();
  press({0x10, 0x91, '0', '9', 'Q'});
  EXPECT_EQ(console.inputLine, "=)Q");
  press({0x10, '0'});
  EXPECT_EQ(console.inputLine, "=)Q0") << "Shift again turns the lock off";
}

TEST_F(KeyFixture, TypedNameBecomesTheInspectedObject) {
  publish();
  ObjectRegistry registry;
  PlacedObject* ring = registry.add(std::make_unique<PlacedObject>("Ring"));
  ring->name = "Ring";
  ring->transform = Matrix4::translation(1.5, -2.25, 0.05, 1);
  press({0x91, 'R', 'I', 'N', 'G', 0x0D});
  EXPECT_EQ(console.inspectTarget, "RING");
  console.layout();
  EXPECT_EQ(console.xText, " : 1.50 , -");
}

TEST_F(KeyFixture, PlusKeyLineSetsTheMoverTargetAndKeypadMovesIt) {
  publish();
  ObjectRegistry registry;
  registry.add(std::make_unique<PlacedObject>("Sonne"))->name = "Sonne";
  press({0x91, 0xBB, 'S', 'O', 'N', 'N', 'E', 0x0D});
  EXPECT_EQ(console.moveTarget, "SONNE");
  press({0x63, 0x6B, 0x60});
  ASSERT_EQ(moves.size(), 3u);
  EXPECT_EQ(moves[0].argument, "0,0.1");
  EXPECT_EQ(moves[1].argument, "1.1");
  EXPECT_EQ(moves[2].argument, "0,0.1,0,1");
  EXPECT_EQ(moves[0].name, "Sonne");
}

TEST_F(KeyFixture, MoverKeysWorkOutsideInputModeOnBase) {
  publish();
  ObjectRegistry registry;
  handleKeyDown(0x66);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].name, "Base");
  EXPECT_EQ(moves[0].argument, "0.1,0,0,1");
}

TEST_F(KeyFixture, UpAndDownScroll) {
  publish();
  for (int i = 0; i < 20; ++i) console.print("z", 1);
  press({0x26, 0x26});
  EXPECT_EQ(console.scrollPos(), 19);
  press({0x28, 0x28, 0x28});
  EXPECT_EQ(console.scrollPos(), 21);
}

TEST_F(KeyFixture, BackspaceOnlyInInputMode) {
  publish();
  handleKeyDown(0x08);
  EXPECT_EQ(console.inputLine, "Befehl");
  press({0x91, 'A', 'B', 0x08});
  EXPECT_EQ(console.inputLine, "A");
  press({0x08, 0x08, 0x08});
  EXPECT_EQ(console.inputLength, 0);
}
