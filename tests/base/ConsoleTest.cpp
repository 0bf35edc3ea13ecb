#include <gtest/gtest.h>

#include "base/Console.h"
#include "base/Report.h"

#include <tuple>

using namespace wf;

TEST(ConsoleLog, LinesStartAtTwoAndHoldAtMost168Characters) {
  ConsoleLog log;
  EXPECT_EQ(log.lineCount(), 1);
  log.print("hallo", 1);
  EXPECT_EQ(std::make_tuple(log.lineCount(), log.scrollPos(), log.level(2)), std::make_tuple(2, 2, 1))
      << "line count, scroll position (the view follows the last line), level";
  std::string umlauts;
  for (int i = 0; i < 168; ++i) umlauts += "\xC3\xBC";
  struct Case { std::string print, append; int level; size_t lineBytes; };  // lineBytes 0: nothing printed
  const Case cases[] = {
      {std::string(168, 'a'), "", 0, 168}, {std::string(169, 'b'), "", 0, 0},
      {umlauts, "", 0, 336},  // characters count, not bytes
      {std::string(100, 'c'), std::string(69, 'd'), 1, 100},  // 100 + 69 does not fit
      {std::string(100, 'c'), std::string(68, 'd'), 1, 168},
      {"shown", " more", 49, 10}, {"hidden", "", 50, 0},  // the threshold drops level 50 and above
  };
  for (const Case& c : cases) {
    const int before = log.lineCount();
    log.print(c.print, c.level);
    if (!c.append.empty()) log.append(c.append, c.level);
    EXPECT_EQ(log.lineCount(), before + (c.lineBytes ? 1 : 0)) << c.print.size() << " + " << c.append.size();
    if (c.lineBytes) { EXPECT_EQ(log.line(log.lineCount()).size(), c.lineBytes) << c.print.size(); }
  }
}

TEST(ConsoleLog, FullLogSaysSoAndDropsLaterPrints) {
  ConsoleLog log;
  for (int i = 0; i < 3000; ++i) log.print("line " + std::to_string(i), 1);
  EXPECT_EQ(std::make_tuple(log.lineCount(), log.line(1999), log.level(1999), log.line(1998)),
            std::make_tuple(1999, std::string("  CONSOLE IST VOLL "), 0, std::string("line 1996")));
  log.append("x", 1);
  EXPECT_EQ(log.line(1999), "  CONSOLE IST VOLL ");
  log.setLineCount(1);  // clearing restarts at line two
  log.print("c", 0);
  EXPECT_EQ(log.lineCount(), 2);
  EXPECT_EQ(log.line(2), "c");
  ASSERT_EQ(log.storedLines().size(), 1u);
}

namespace {
std::string lastBox;
void recordBox(const std::string& caption, const std::string& text) { lastBox = caption + ": " + text; }
}  // namespace

TEST(Report, ErrorsGoToTheConsoleOrWithoutOneToABoxCaptionedError) {
  ConsoleLog log;
  setCurrentConsole(&log);
  setMessageBoxHandler(recordBox);
  reportError("Zeile: 3  ttl fehlt");
  setCurrentConsole(nullptr);
  reportError("missing.3ds");
  setMessageBoxHandler(nullptr);
  ASSERT_EQ(log.lineCount(), 2);
  EXPECT_EQ(std::make_pair(log.line(2), log.level(2)), std::make_pair(std::string("Zeile: 3  ttl fehlt"), 0));
  EXPECT_EQ(lastBox, "Error: missing.3ds");
}
