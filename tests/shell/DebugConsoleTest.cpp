#include <gtest/gtest.h>

#include <algorithm>

#include "FakeTextPainter.h"
#include "app/EngineHost.h"
#include "scene/ObjectRegistry.h"
#include "scene/PlacedObject.h"
#include "shell/DebugConsole.h"

using namespace wf;

namespace {
// The texts drawn at a position (normally one), and the number of log rows.
std::string textAt(const ConsolePaint& p, int x, int y) {
  std::string text;
  for (const ConsoleText& t : p.texts) text += t.x == x && t.y == y ? t.text : "";
  return text;
}
int logRows(const ConsolePaint& p) {
  return std::count_if(p.texts.begin(), p.texts.end(), [](auto& t) { return t.x == 10 && t.y >= 25; });
}

// A registry with "Ring" and a console that is the process-wide one.
struct Published : ::testing::Test {
  ObjectRegistry registry;
  EngineHost host{DeclarationTarget{&registry, {}, nullptr}};
  PlacedObject* ring = registry.add(std::make_unique<PlacedObject>("Ring"));
  DebugConsole console;
  void SetUp() override { ring->name = "Ring", console.enabled = true, setCurrentConsole(&console); }
  void TearDown() override { setCurrentConsole(nullptr); }
};
}  // namespace

TEST(DebugConsole, ARepaint) {
  DebugConsole c;
  c.setThreshold(50);
  c.print("erste", 1);
  EXPECT_EQ(textAt(c.layout(), 10, 151), "erste") << "line 2 is drawn in the bottom row";
  EXPECT_EQ(logRows(c.layout()), 1) << "the nine rows above stay empty";
  for (int n = 3; n <= 16; ++n) c.print("zeile " + std::to_string(n), n % 4);
  c.print("unsichtbar", 50);
  for (int i = 0; i < 1234; ++i) c.countStep();
  EXPECT_TRUE(c.repaintPending()) << "prints and steps only mark the view stale";
  const ConsolePaint p = c.layout();
  EXPECT_FALSE(c.repaintPending()) << "until the one repaint of the frame";
  const uint32_t colours[] = {0xFF0000, 0x000000, 0x6E6E6E, 0x6E6E6E};  // levels 0, 1, 2, 3
  for (const ConsoleText& t : p.texts) {
    if (t.x != 10 || t.y < 25) continue;
    const int n = std::stoi(t.text.substr(6));
    EXPECT_EQ(t.y, 14 * (n - 7) + 25) << "lines 7..16 in rows 25, 39, ..., 151";
    EXPECT_EQ(t.rgb, colours[n % 4]) << t.text;
  }
  EXPECT_EQ(logRows(p), 10) << "the level-50 line is not shown";
  EXPECT_EQ(textAt(p, 10, 2) + "|" + textAt(p, 145, 2) + "|" + textAt(p, 190, 2) + "|" + textAt(p, 223, 2) + "|" +
                textAt(p, 242, 18) + textAt(p, 242, 150),
            "Mohn Logger 2.0|Time: [|1234|]|____") << "\"]\" goes 8 pixels per digit after 191";
  EXPECT_EQ(std::vector<int>({p.fills.at(0).x, p.fills.at(0).y, p.fills.at(0).w, p.fills.at(1).y, p.fills.at(1).w}),
            std::vector<int>({1, 1, 270, 170, 270}));
}

TEST(DebugConsole, RowsAfterScrollingUpAndTheScrollMarker) {
  struct Case { int lineCount, scrollPos, y; } const cases[] = {  // y -1: no marker
      {20, 15, 88},      // 140 / 10 * 5 + 18
      {10, 10, -1},      // no marker with exactly ten lines
      {1999, 1999, 18},  // 140 / 1989 = 0
      {5, 5, 158},       // 140 / -5 = -28, * -5 + 18
  };
  for (const Case& c : cases) {
    int y = 0;
    const bool drawn = consoleMarkerY(c.lineCount, c.scrollPos, &y);
    EXPECT_EQ(drawn ? y : -1, c.y) << c.lineCount << "/" << c.scrollPos;
  }
  DebugConsole console;
  for (int i = 0; i < 20; ++i) console.print("z" + std::to_string(i + 2), 1);
  for (int i = 0; i < 30; ++i) console.scrollUp();
  const ConsolePaint p = console.layout();
  EXPECT_EQ(textAt(p, 10, 25) + textAt(p, 10, 151), "z3z12") << "rows show lines 3 to 12";
  EXPECT_EQ(textAt(p, 246, 42), "#") << "140 / 11 = 12, * 2 + 18";
}

// The inspector's texts as _fcvt(v, 2) splits them: 0.05 gives the digits 5
// with the decimal point one place before them, so ".5".
TEST_F(Published, InspectorAndMoverFindTheirObjectByName) {
  ring->transform = Matrix4::translation(1.5, -2.25, 0.05, 1);
  console.inspectTarget = "RING";  // typed names arrive in capitals
  const ConsolePaint p = console.layout();
  EXPECT_EQ(textAt(p, 3, 175) + "|" + textAt(p, 107, 175) + "|" + textAt(p, 161, 175) + "|" + textAt(p, 200, 175),
            "RING| : 1.50 , -|2.25 ,|.5");
  // The minus of y and z ends the text before them; a number below 1 shows "0."
  registry.at(registry.find("Base"))->asPlaced()->transform = Matrix4::translation(-2, 2.75, -1.054, 1);
  console.inspect();
  EXPECT_EQ(console.xText + "|" + console.yText + "|" + console.zText, " : -0.50 , |0.50 ,-|1.00")
      << "Base moves its children";
  console.inspectTarget = "NIEMAND";
  console.inspect();
  EXPECT_EQ(console.xText + "|" + console.yText + console.zText, "nicht gefunden|");
  console.moveObject("WEG", 1);
  EXPECT_EQ(console.line(console.lineCount()), "Zu bewegendes Object (WEG) nicht gefunden");
  EXPECT_EQ(console.level(console.lineCount()), 0);
  console.enabled = false;
  console.inspectTarget = "RING";
  console.inspect();
  console.moveObject("WEG", 1);
  EXPECT_EQ(console.xText + std::to_string(console.lineCount()), "nicht gefunden2") << "nothing happens unless enabled";
}

// Input mode: "eingabe modus" at (84, 188) and fills only 260 wide; the fake
// painter marks a text's anchor, and nothing outside the fills is cleared.
TEST(DebugConsole, InputModeIsPaintedOverTheCanvas) {
  DebugConsole c;
  OffscreenBitmap canvas(DebugConsole::kWidth, DebugConsole::kHeight);
  canvas.fill(0, 0, 270, 220, 0x00AA00);
  wf::test::FakeTextPainter painter;
  c.toggleInputMode(nullptr);
  paintConsole(c.layout(), canvas, painter);
  EXPECT_EQ(std::vector<uint32_t>({canvas.atTop(0, 0), canvas.atTop(265, 100), canvas.atTop(5, 100),
                                   canvas.atTop(5, 200), canvas.atTop(84, 188)}),
            std::vector<uint32_t>({0x00AA00, 0x00AA00, 0xFFFFFF, 0, 0x646464}));
  EXPECT_EQ(painter.calls.at(0).text + "|" + painter.calls.at(1).text + "|" + painter.calls.at(2).text,
            "eingabe modus||Mohn Logger 2.0") << "the emptied input line, and no inspector";
  EXPECT_EQ(painter.calls.at(0).align, TextPainter::Align::LeftTop);
}
