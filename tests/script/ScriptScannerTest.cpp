#include <gtest/gtest.h>

#include "base/Console.h"
#include "script/Script.h"
#include "support/TempDir.h"

using namespace wf;

namespace {

// Records the reports of one test on a console of its own.
class ScannerTest : public ::testing::Test {
 protected:
  void SetUp() override { setCurrentConsole(&console); }
  void TearDown() override { setCurrentConsole(nullptr); }

  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    for (const auto& line : console.storedLines()) out.push_back(line.second);
    return out;
  }

  ConsoleLog console;
};

struct Expected {
  int delay;
  int ttl;
  const char* name;
  char letter;
  int kind;
  const char* argument;
};

void expectRecord(const Script& script, int index, const Expected& e, const std::string& what) {
  ASSERT_LT(index, script.recordCount()) << what;
  const ScriptRecord& r = script.record(index);
  EXPECT_EQ(r.delay, e.delay) << what << ": delay";
  EXPECT_EQ(r.ttl, e.ttl) << what << ": ttl";
  EXPECT_EQ(r.name, e.name) << what << ": name";
  EXPECT_EQ(r.letter, e.letter) << what << ": letter";
  EXPECT_EQ(r.kind, e.kind) << what << ": kind";
  EXPECT_EQ(r.argument, e.argument) << what << ": argument";
}

}  // namespace

TEST_F(ScannerTest, StatementShapes) {
  struct Case {
    const char* text;
    Expected record;
  };
  const Case cases[] = {
      {"d100 50 Ring.M*0,0.02;", {100, 50, "Ring", 'M', kind::kCombine, "0,0.02"}},
      {"Ring.m=1, 2, 3;", {0, 1, "Ring", 'M', kind::kSet, "1,2,3"}},
      {"Ring.p = Base;", {0, 1, "Ring", 'P', kind::kSet, "Base"}},
      {"Ring.Mxyz*0;", {0, 1, "Ring", 'M', kind::kCombine, "0"}},
      {"Ring:OBJECT(Base);", {0, 1, "Ring", 0, kind::kObject, "Base"}},
      {"Ring : model ( ring.3ds ) ;", {0, 1, "Ring", 0, kind::kModel, "ring.3ds"}},
      {"PLAYMOD();", {0, 1, "PLAYMOD", 0, kind::kCall, ""}},
      {"MESSAGE(\"Hallo Welt\");", {0, 1, "MESSAGE", 0, kind::kCall, "Hallo Welt"}},
      {"MESSAGE(Hallo Welt);", {0, 1, "MESSAGE", 0, kind::kCall, "HalloWelt"}},
      {"Zeit=2;", {0, 1, "Zeit", 0, kind::kSet, "2"}},
      {"Zeit*0.5;", {0, 1, "Zeit", 0, kind::kCombine, "0.5"}},
      {"Ring!;", {0, 1, "Ring", 0, kind::kStop, ""}},
      {"x:ENDE(\"Auf Wiedersehen\");", {0, 1, "x", 0, kind::kEnde, "Auf Wiedersehen"}},
      {"x:START(500);", {0, 1, "x", 0, kind::kStart, "500"}},
      {"-1 Ring.M*1,0.01;", {0, -1, "Ring", 'M', kind::kCombine, "1,0.01"}},
      {"d5 3 R.A=ja;", {5, 3, "R", 'A', kind::kSet, "ja"}},
      {"R.W=sin(Zeit),cos(-1);", {0, 1, "R", 'W', kind::kSet, "sinZeit,cos-1"}},
      {"R.M=((1));", {0, 1, "R", 'M', kind::kSet, "1"}},
      {"R.T=tex\\stein.tex;", {0, 1, "R", 'T', kind::kSet, "tex\\stein.tex"}},
      {"R.T=tex/stein.tex;", {0, 1, "R", 'T', kind::kSet, "texstein.tex"}},
      {"R.M=\"a;b\";", {0, 1, "R", 'M', kind::kSet, "a"}},
  };
  for (const Case& c : cases) {
    Script script(Script::FromText{}, c.text, nullptr);
    EXPECT_EQ(script.recordCount(), 1) << c.text;
    expectRecord(script, 0, c.record, c.text);
  }
}

TEST_F(ScannerTest, PropertyLetterIsUpperCasedByBitArithmetic) {
  struct Case {
    const char* text;
    char letter;
  };
  const Case cases[] = {{"R.p=0;", 'P'}, {"R.P=0;", 'P'}, {"R.1=0;", 'Q'}, {"R.\xE4=0;", 'D'},  // ä in the old code page
                        {"R.\xC3\xA4=0;", 'D'},  // the same letter in UTF-8 gives the same result
                        {"R.[=0;", '['}};
  for (const Case& c : cases) {
    Script script(Script::FromText{}, c.text, nullptr);
    ASSERT_EQ(script.recordCount(), 1) << c.text;
    EXPECT_EQ(script.record(0).letter, c.letter) << c.text;
  }
}

TEST_F(ScannerTest, NameStartingWithDNeedsADuration) {
  Script plain(Script::FromText{}, "dach.M=1; Ring.M=2;", nullptr);
  // "ach.M=1;" is taken as the delay's digits up to the first character
  // followed by a space; the name then starts after it.
  ASSERT_EQ(plain.recordCount(), 1);
  EXPECT_EQ(plain.record(0).delay, 0);
  EXPECT_EQ(plain.record(0).name, "Ring");

  Script withDuration(Script::FromText{}, "1 dach.M=1;", nullptr);
  ASSERT_EQ(withDuration.recordCount(), 1);
  EXPECT_EQ(withDuration.record(0).name, "dach");
  EXPECT_EQ(withDuration.record(0).delay, 0);
}

TEST_F(ScannerTest, TabAfterDurationRunsIntoTheName) {
  // The duration word runs to the first character followed by a space: the
  // whole statement here, so the text ends before a name is read.
  Script script(Script::FromText{}, "50\tRing.M*1;", nullptr);
  EXPECT_EQ(script.recordCount(), 0);
  Script two(Script::FromText{}, "5\tRing.M*1; Kugel.M=2;", nullptr);
  ASSERT_EQ(two.recordCount(), 1);
  EXPECT_EQ(two.record(0).ttl, 5) << "atoi reads the 5";
  EXPECT_EQ(two.record(0).name, "Kugel");
}

TEST_F(ScannerTest, DelayWordIsReadAfterTheD) {
  Script script(Script::FromText{}, "d 7 R.M=1;", nullptr);
  ASSERT_EQ(script.recordCount(), 1);
  EXPECT_EQ(script.record(0).delay, 7);
  EXPECT_EQ(script.record(0).ttl, 1);
  EXPECT_EQ(script.record(0).name, "R");
}

TEST_F(ScannerTest, ZeroDurationStopsTheScan) {
  Script script(Script::FromText{}, "A.M=1;\r\nB.M=2;\r\n0 C.M=3;\r\nD.M=4;", nullptr);
  EXPECT_EQ(script.recordCount(), 2);
  EXPECT_EQ(lines(), (std::vector<std::string>{"Zeile: 3  ttl fehlt"}));
  Script word(Script::FromText{}, "+ C.M=3;", nullptr);
  EXPECT_EQ(word.recordCount(), 0) << "a duration without digits is 0";
}

TEST_F(ScannerTest, UnknownTypeIsReportedAndRecorded) {
  Script script(Script::FromText{}, "A:OBJECT(Base);\nB:PLAYMOD();\nC:Kugel(x);\nD:model(x);", nullptr);
  ASSERT_EQ(script.recordCount(), 4);
  EXPECT_EQ(script.record(1).kind, -1) << "call keywords are not types";
  EXPECT_EQ(script.record(2).kind, -1);
  EXPECT_EQ(script.record(3).kind, kind::kModel) << "types ignore case";
  EXPECT_EQ(lines(), (std::vector<std::string>{"Zeile: 2  unbekannter Objekttyp", "Zeile: 3  unbekannter Objekttyp"}));
}

TEST_F(ScannerTest, CommentsInsideADeclaration) {
  Script script(Script::FromText{}, "Ring:MODEL( // the ring\r\n ring.3ds // file\r\n);\r\nR.M=1;", nullptr);
  ASSERT_EQ(script.recordCount(), 2);
  EXPECT_EQ(script.record(0).argument, "ring.3ds");
  EXPECT_EQ(script.record(0).line, 3);
  EXPECT_EQ(script.record(1).line, 4);
}

TEST_F(ScannerTest, BothLineEndingsGiveTheSameRecordsAndLines) {
  const std::string unix = "// Wolkenfahrt\nRing:OBJECT(Base);\n\nd100 50 Ring.M*0,0.02; // turn\nX:Unsinn();\n";
  std::string windows;
  for (char c : unix) {
    if (c == '\n') windows += '\r';
    windows += c;
  }
  Script a(Script::FromText{}, unix, nullptr);
  const std::vector<std::string> unixReports = lines();
  console.setLineCount(1);
  Script b(Script::FromText{}, windows, nullptr);
  ASSERT_EQ(a.recordCount(), 3);
  ASSERT_EQ(b.recordCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(a.record(i).name, b.record(i).name) << i;
    EXPECT_EQ(a.record(i).argument, b.record(i).argument) << i;
    EXPECT_EQ(a.record(i).line, b.record(i).line) << i;
  }
  EXPECT_EQ(a.record(0).line, 2);
  EXPECT_EQ(a.record(1).line, 4);
  EXPECT_EQ(a.record(2).line, 5);
  EXPECT_EQ(unixReports, (std::vector<std::string>{"Zeile: 5  unbekannter Objekttyp"}));
  EXPECT_EQ(lines(), unixReports);
}

TEST_F(ScannerTest, OpenStatementAtTheEndIsNotRecorded) {
  const char* texts[] = {"A.M=1; B.M=2", "A.M=1; B.M", "A.M=1; B:OBJECT", "A.M=1; B", "A.M=1; MESSAGE(\"abc",
                         "A.M=1; d5", "A.M=1; 5", "A.M=1; B.", "A.M=1; \"B.M=2"};
  for (const char* text : texts) {
    Script script(Script::FromText{}, text, nullptr);
    EXPECT_EQ(script.recordCount(), 1) << text;
  }
  // The quoted ';' ends the statement; the quote is still open afterwards.
  Script quoted(Script::FromText{}, "MESSAGE(\"abc;", nullptr);
  EXPECT_EQ(quoted.recordCount(), 1);
  EXPECT_EQ(quoted.record(0).argument, "abc");
}

TEST_F(ScannerTest, LongNamesAndArguments) {
  const std::string name(5000, 'N');
  const std::string argument(70000, '7');
  Script script(Script::FromText{}, "1 " + name + ".M=" + argument + ";", nullptr);
  ASSERT_EQ(script.recordCount(), 1);
  EXPECT_EQ(script.record(0).name, name);
  EXPECT_EQ(script.record(0).argument, argument);
}

TEST_F(ScannerTest, RecordTableLimit) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "R.M*1;\n";
  Script script(Script::FromText{}, text, nullptr);
  EXPECT_EQ(script.recordCount(), Script::kRecordCapacity);
  EXPECT_EQ(script.record(4095).line, 4096);
  EXPECT_EQ(lines(), (std::vector<std::string>{"Zeile: 4097  Zuviele Anweisungen"}));
}

TEST_F(ScannerTest, NamesReachTheConsoleAsUtf8) {
  Script old(Script::FromText{}, "Gr\xFC\xDF" "e:OBJECT(Base);", nullptr);
  Script utf8(Script::FromText{}, "Gr\xC3\xBC\xC3\x9F" "e:OBJECT(Base);", nullptr);
  ASSERT_EQ(old.recordCount(), 1);
  ASSERT_EQ(utf8.recordCount(), 1);
  EXPECT_EQ(old.record(0).name, "Gr\xC3\xBC\xC3\x9F" "e");
  EXPECT_EQ(utf8.record(0).name, old.record(0).name);
}

TEST_F(ScannerTest, NulCharacterEndsARecordText) {
  const std::string text("AB\0C.M=1;", 9);
  Script script(Script::FromText{}, text, nullptr);
  ASSERT_EQ(script.recordCount(), 1);
  EXPECT_EQ(script.record(0).name, "AB");
  const std::string leading("\0A.M=1;", 7);
  Script stopped(Script::FromText{}, leading, nullptr);
  EXPECT_EQ(stopped.recordCount(), 0) << "a NUL where a statement starts ends the scan";
}

TEST_F(ScannerTest, ReportTextIsCutToTheBuffer) {
  Script script(Script::FromText{}, "", nullptr);
  script.reportError(std::string(300, 'x'), 12);
  ASSERT_EQ(console.storedLines().size(), 0u) << "a console line holds at most 168 characters";
  setCurrentConsole(nullptr);
  testing::internal::CaptureStderr();
  script.reportError(std::string(300, '\xC3') , 7);
  script.reportError("= mi\xC3\x9F" "gl\xC3\xBC" "ckt", 3);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Zeile: 3  = mi\xC3\x9F" "gl\xC3\xBC" "ckt\n"), std::string::npos) << err;
  EXPECT_EQ(script.reportCount(), 3);
}

TEST_F(ScannerTest, ReportOfACutMessageIsAtMost199Characters) {
  setCurrentConsole(nullptr);
  Script script(Script::FromText{}, "", nullptr);
  testing::internal::CaptureStderr();
  script.reportError(std::string(300, 'y'), 42);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "Zeile: 42  " + std::string(199 - 11, 'y') + "\n");
}

TEST_F(ScannerTest, MissingFileIsReportedByItsPath) {
  test::TempDir dir;
  Script script(dir.file("mohn.cs"), nullptr);
  EXPECT_TRUE(script.sourceFailed());
  EXPECT_EQ(script.recordCount(), 0);
  EXPECT_EQ(lines(), (std::vector<std::string>{dir.file("mohn.cs")}));
}

TEST_F(ScannerTest, ReadsTheFile) {
  test::TempDir dir;
  Script script(dir.write("mohn.cs", "A:OBJECT(Base);\r\nA.M=1;\r\n"), nullptr);
  EXPECT_FALSE(script.sourceFailed());
  EXPECT_EQ(script.recordCount(), 2);
  EXPECT_EQ(Script::current(), &script);
}

TEST_F(ScannerTest, TwoQuotesInARowOpenAStringThatDeliversTheSecond) {
  // The character after an opening quote is delivered unexamined, so ""
  // is a quote character inside a string that is still open.
  Script script(Script::FromText{}, "T:STRING(\"\");\nG.M=1;", nullptr);
  ASSERT_EQ(script.recordCount(), 2);
  EXPECT_EQ(script.record(0).argument, "\"");
  EXPECT_EQ(script.record(1).name, "\nG") << "the line break is read inside the open string";
}
