#include <gtest/gtest.h>

#include "base/Console.h"
#include "base/Report.h"

using namespace wf;

TEST(ConsoleLog, FirstLineIsNumberTwoAndTheViewFollowsIt) {
  ConsoleLog log;
  EXPECT_EQ(log.lineCount(), 1);
  log.print("hallo", 1);
  EXPECT_EQ(log.lineCount(), 2);
  EXPECT_EQ(log.scrollPos(), 2);
  EXPECT_EQ(log.line(2), "hallo");
  EXPECT_EQ(log.level(2), 1);
}

TEST(ConsoleLog, PrintAndAppendLimits) {
  ConsoleLog log;
  log.print(std::string(168, 'a'), 0);
  EXPECT_EQ(log.lineCount(), 2) << "168 characters fit";
  log.print(std::string(169, 'b'), 0);
  EXPECT_EQ(log.lineCount(), 2) << "169 characters are dropped";

  log.print(std::string(100, 'c'), 1);
  log.append(std::string(69, 'd'), 1);
  EXPECT_EQ(log.line(3).size(), 100u) << "100 + 69 does not fit";
  log.append(std::string(68, 'd'), 1);
  EXPECT_EQ(log.line(3).size(), 168u) << "100 + 68 fits";
}

TEST(ConsoleLog, LimitsCountCharactersNotBytes) {
  ConsoleLog log;
  std::string umlauts;
  for (int i = 0; i < 168; ++i) umlauts += "\xC3\xBC";  // 168 times u-umlaut
  log.print(umlauts, 0);
  EXPECT_EQ(log.lineCount(), 2);
}

TEST(ConsoleLog, ThresholdDropsHighLevels) {
  ConsoleLog log;
  log.print("shown", 49);
  log.print("hidden", 50);
  log.append(" more", 50);
  EXPECT_EQ(log.lineCount(), 2);
  EXPECT_EQ(log.line(2), "shown");
}

TEST(ConsoleLog, FullLogSaysSoAndDropsLaterPrints) {
  ConsoleLog log;
  for (int i = 0; i < 3000; ++i) log.print("line " + std::to_string(i), 1);
  EXPECT_EQ(log.lineCount(), 1999);
  EXPECT_EQ(log.line(1999), "  CONSOLE IST VOLL ");
  EXPECT_EQ(log.level(1999), 0);
  EXPECT_EQ(log.line(1998), "line 1996");
  log.append("x", 1);
  EXPECT_EQ(log.line(1999), "  CONSOLE IST VOLL ");
}

TEST(ConsoleLog, ClearingRestartsAtLineTwo) {
  ConsoleLog log;
  log.print("a", 1);
  log.print("b", 1);
  log.setLineCount(1);
  log.print("c", 0);
  EXPECT_EQ(log.lineCount(), 2);
  EXPECT_EQ(log.line(2), "c");
  ASSERT_EQ(log.storedLines().size(), 1u);
}

TEST(Report, ErrorsGoToTheConsoleWhenOneExists) {
  ConsoleLog log;
  setCurrentConsole(&log);
  reportError("Zeile: 3  ttl fehlt");
  setCurrentConsole(nullptr);
  ASSERT_EQ(log.lineCount(), 2);
  EXPECT_EQ(log.line(2), "Zeile: 3  ttl fehlt");
  EXPECT_EQ(log.level(2), 0);
}

namespace {
std::string lastCaption, lastText;
void recordBox(const std::string& caption, const std::string& text) {
  lastCaption = caption;
  lastText = text;
}
}  // namespace

TEST(Report, ErrorsWithoutConsoleShowABoxCaptionedError) {
  setMessageBoxHandler(recordBox);
  reportError("missing.3ds");
  setMessageBoxHandler(nullptr);
  EXPECT_EQ(lastCaption, "Error");
  EXPECT_EQ(lastText, "missing.3ds");
}
